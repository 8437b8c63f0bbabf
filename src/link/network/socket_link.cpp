#include "link/network/socket_link.h"

#include <chrono>

#include "link/serial_write.h"

namespace tarvek {
namespace {

// Reads gather a batch as the serial link's do: at most 50 ms between bytes, 100 ms in all.
constexpr int kReadIntervalMs = 50;
constexpr auto kReadTotal = std::chrono::milliseconds(100);

class CSocketLink final : public SerialPrinterLink, private SerialChunkPort {
  public:
    CSocketLink(Clock& clock, InputPurge purge, SocketConnect connect)
        : m_clock(clock), m_purge(purge), m_connect(std::move(connect)) {}
    using PrinterLink::Write;

    int Open(const std::string& portName, int, int, int, int, int) override {
        Close();
        if (!m_connect(portName, m_socket)) {
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
    const SocketConnect m_connect;
    TcpSocket m_socket;
    IdleState m_idle;
};

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeSocketLink(Clock& clock, InputPurge purge,
                                                  SocketConnect connect) {
    return std::make_unique<CSocketLink>(clock, purge, std::move(connect));
}

}  // namespace tarvek
