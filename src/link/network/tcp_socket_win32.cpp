// The socket links' socket on Windows (Winsock 2).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

#include "link/network/tcp_socket.h"
#include "link/network/winsock_win32.h"

namespace tarvek {
namespace {

constexpr std::uint32_t kWaitSliceMs = 100;

SOCKET Handle(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

// 1 ready, 0 not within the time, -1 failed.
int WaitFor(SOCKET s, short events, int timeoutMs) {
    WSAPOLLFD p{s, events, 0};
    const int rc = WSAPoll(&p, 1, timeoutMs);
    return rc > 0 ? 1 : rc < 0 ? -1 : 0;
}

// 1 when the connect was answered (accepted or refused) within waitMs, 0 when not, -1 failed.
int WaitConnectAnswer(SOCKET s, std::uint32_t waitMs) {
    // A refused connect shows as an error on the socket, not as room to write.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000) * 1000};
    const int rc = select(0, nullptr, &writable, &failed, &wait);
    return rc > 0 ? 1 : rc < 0 ? -1 : 0;
}

}  // namespace

// Winsock is started once for the process, the first time a socket is wanted.
bool WinsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

TcpConnect AwaitConnect(SOCKET s, int started, std::uint32_t timeoutMs,
                        const std::atomic<bool>* stop) {
    if (started == 0) {
        return TcpConnect::Connected;
    }
    if (started == WSAECONNREFUSED) {
        return TcpConnect::Refused;
    }
    if (started != WSAEWOULDBLOCK) {
        return TcpConnect::Failed;
    }
    // Waited on in slices, so a Ctrl-C is seen within one.
    const DWORD start = GetTickCount();
    int answered = 0;
    while (answered == 0) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs || (stop != nullptr && stop->load())) {
            return TcpConnect::Failed;
        }
        answered = WaitConnectAnswer(s, std::min<std::uint32_t>(timeoutMs - spent, kWaitSliceMs));
    }
    int error = 0;
    int size = sizeof error;
    if (answered < 0 ||
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
        return TcpConnect::Failed;
    }
    return error == 0                 ? TcpConnect::Connected
           : error == WSAECONNREFUSED ? TcpConnect::Refused
                                      : TcpConnect::Failed;
}

bool TcpSocket::SocketsReady() {
    return WinsockReady();
}

TcpConnect TcpSocket::TryAddress(const addrinfo& a, std::uint32_t timeoutMs) {
    const SOCKET s = socket(a.ai_family, a.ai_socktype, a.ai_protocol);
    if (s == INVALID_SOCKET) {
        return TcpConnect::Failed;
    }
    u_long nonBlocking = 1;
    const TcpConnect tried =
        ioctlsocket(s, FIONBIO, &nonBlocking) == 0
            ? AwaitConnect(s,
                           connect(s, a.ai_addr, static_cast<int>(a.ai_addrlen)) == 0
                               ? 0
                               : WSAGetLastError(),
                           timeoutMs)
            : TcpConnect::Failed;
    if (tried == TcpConnect::Connected) {
        const BOOL on = TRUE;  // commands are small and awaited: no coalescing delay
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
        m_handle = static_cast<std::intptr_t>(s);
    } else {
        closesocket(s);
    }
    return tried;
}

void TcpSocket::Close() {
    if (m_handle != kNoSocket) {
        closesocket(Handle(m_handle));
        m_handle = kNoSocket;
    }
}

int TcpSocket::Send(const std::uint8_t* data, int length, int timeoutMs) {
    const SOCKET s = Handle(m_handle);
    const int ready = WaitFor(s, POLLWRNORM, timeoutMs);
    if (ready <= 0) {
        return ready;
    }
    const int n = send(s, reinterpret_cast<const char*>(data), length, 0);
    if (n == SOCKET_ERROR) {
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    }
    return n;
}

int TcpSocket::Receive(std::uint8_t* buffer, int capacity, int timeoutMs) {
    const SOCKET s = Handle(m_handle);
    const int ready = WaitFor(s, POLLRDNORM, timeoutMs);
    if (ready <= 0) {
        return ready;
    }
    const int n = recv(s, reinterpret_cast<char*>(buffer), capacity, 0);
    if (n == SOCKET_ERROR) {
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    }
    return n == 0 ? -1 : n;
}

}  // namespace tarvek
