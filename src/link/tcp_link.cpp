#include "link/tcp_link.h"

#include <cctype>
#include <chrono>

#include "link/serial_write.h"
#include "link/tcp_socket.h"

namespace tarvek {
namespace {

constexpr char kScheme[] = "tcp:";
constexpr std::size_t kSchemeLength = sizeof kScheme - 1;

// Reads gather a batch as the serial link's do: at most 50 ms between bytes, 100 ms in all.
constexpr int kReadIntervalMs = 50;
constexpr auto kReadTotal = std::chrono::milliseconds(100);

bool ParsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    port = std::stoi(text);
    return port >= 1 && port <= 65535;
}

class CTcpLink final : public SerialPrinterLink, private SerialChunkPort {
  public:
    CTcpLink(Clock& clock, InputPurge purge) : m_clock(clock), m_purge(purge) {}
    using PrinterLink::Write;

    int Open(const std::string& portName, int, int, int, int, int) override {
        Close();
        TcpAddress address;
        if (!ParseTcpPortName(portName, address) ||
            ConnectWithin(m_socket, m_clock, address) != TcpConnect::Connected) {
            return -1;
        }
        m_idle = IdleState{true, 0};
        return 0;
    }

    // Any line is taken: the printer's serial port is not the one in use.
    int Reconfigure(const SerialLineSettings&) override { return m_socket.IsOpen() ? 0 : -1; }

    int Close() override {
        m_socket.Close();
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        if (!m_socket.IsOpen()) {
            return 0;
        }
        return RunSerialWrite(*this, m_clock, m_idle, m_purge, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        if (!m_socket.IsOpen() || capacity <= 0) {
            return 0;
        }
        int count = m_socket.Receive(buffer, capacity, 0);
        if (count <= 0) {
            return 0;
        }
        const auto start = std::chrono::steady_clock::now();
        while (count < capacity && std::chrono::steady_clock::now() - start < kReadTotal) {
            const int got = m_socket.Receive(buffer + count, capacity - count, kReadIntervalMs);
            if (got <= 0) {
                break;
            }
            count += got;
        }
        return count;
    }

  private:
    int SendChunk(const std::uint8_t* data, int length) override {
        const int sent = m_socket.Send(data, length, kSerialChunkWaitMs);
        return sent < 0 ? kChunkFailed : sent == 0 ? kChunkTimedOut : sent;
    }
    void PurgeInput() override {
        std::uint8_t stale[256];
        while (m_socket.Receive(stale, sizeof stale, 0) > 0) {
        }
    }
    void PurgeAll() override { PurgeInput(); }

    Clock& m_clock;
    const InputPurge m_purge;
    TcpSocket m_socket;
    IdleState m_idle;
};

}  // namespace

bool IsTcpPortName(const std::string& name) {
    if (name.size() < kSchemeLength) {
        return false;
    }
    for (std::size_t i = 0; i < kSchemeLength; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != kScheme[i]) {
            return false;
        }
    }
    return true;
}

bool ParseTcpPortName(const std::string& name, TcpAddress& address) {
    if (!IsTcpPortName(name)) {
        return false;
    }
    const std::string rest = name.substr(kSchemeLength);
    std::string host = rest;
    std::string port;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos) {
            return false;
        }
        host = rest.substr(1, close - 1);
        const std::string after = rest.substr(close + 1);
        if (!after.empty() && (after.front() != ':' || (port = after.substr(1)).empty())) {
            return false;
        }
    } else if (rest.find(':') == rest.rfind(':') && rest.find(':') != std::string::npos) {
        host = rest.substr(0, rest.find(':'));
        port = rest.substr(rest.find(':') + 1);
        if (port.empty()) {
            return false;
        }
    }
    TcpAddress parsed{host, kPrinterTcpPort};
    if (host.empty() || (!port.empty() && !ParsePort(port, parsed.port))) {
        return false;
    }
    address = parsed;
    return true;
}

std::string TcpPortName(const TcpAddress& address) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return kScheme + (v6 ? "[" + address.host + "]" : address.host) + ":" +
           std::to_string(address.port);
}

TcpConnect ConnectWithin(TcpConnector& connector, Clock& clock, const TcpAddress& address,
                         std::uint32_t limitMs) {
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        const std::uint32_t spent = ElapsedMs(start, clock.NowMs());
        if (spent >= limitMs) {
            return TcpConnect::Refused;
        }
        const TcpConnect result = connector.Attempt(address, limitMs - spent);
        if (result != TcpConnect::Refused ||
            ElapsedMs(start, clock.NowMs()) + kTcpRetryPauseMs >= limitMs) {
            return result;
        }
        clock.Sleep(kTcpRetryPauseMs);
    }
}

std::unique_ptr<SerialPrinterLink> MakeTcpLink(Clock& clock, InputPurge purge) {
    return std::make_unique<CTcpLink>(clock, purge);
}

}  // namespace tarvek
