#include "link/network/tcp_link.h"

#include <cctype>

#include "link/network/socket_link.h"
#include "link/port_kind.h"

namespace tarvek {
namespace {

constexpr char kScheme[] = "tcp:";
constexpr std::size_t kSchemeLength = sizeof kScheme - 1;

bool ParsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    port = std::stoi(text);
    return port >= 1 && port <= 65535;
}

}  // namespace

bool ParseTcpPortName(const std::string& name, TcpAddress& address) {
    if (LinkKindOfPort(name) != LinkKind::Network) {
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
    return MakeSocketLink(clock, purge, [&clock](const std::string& portName, TcpSocket& socket) {
        TcpAddress address;
        return ParseTcpPortName(portName, address) &&
               ConnectWithin(socket, clock, address) == TcpConnect::Connected;
    });
}

}  // namespace tarvek
