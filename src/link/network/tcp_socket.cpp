// The walk over a host's addresses, the same on every platform.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <string>

#include "link/network/tcp_socket.h"

namespace tarvek {

TcpConnect TcpSocket::Attempt(const TcpAddress& address, std::uint32_t timeoutMs) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (!SocketsReady() || getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(),
                                       &hints, &found) != 0) {
        return TcpConnect::Failed;
    }
    TcpConnect result = TcpConnect::Failed;
    for (const addrinfo* a = found; a != nullptr && result != TcpConnect::Connected;
         a = a->ai_next) {
        const TcpConnect tried = TryAddress(*a, timeoutMs);
        // A refusal by any address is what the printer's starting network looks like.
        if (tried != TcpConnect::Failed || result != TcpConnect::Refused) {
            result = tried;
        }
    }
    freeaddrinfo(found);
    return result;
}

}  // namespace tarvek
