// The network link's socket on POSIX (BSD sockets).
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "link/network/tcp_socket.h"

namespace tarvek {
namespace {

// 1 ready, 0 not within the time, -1 failed (an error or hang-up reported is "ready": the
// call that follows tells which).
int WaitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int rc;
    do {
        rc = poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0 ? 1 : rc < 0 ? -1 : 0;
}

// One address tried: a non-blocking connect waited on for at most timeoutMs.
TcpConnect ConnectTo(int fd, const addrinfo& a, std::uint32_t timeoutMs) {
    if (connect(fd, a.ai_addr, a.ai_addrlen) == 0) {
        return TcpConnect::Connected;
    }
    if (errno == ECONNREFUSED) {
        return TcpConnect::Refused;
    }
    if (errno != EINPROGRESS || WaitFor(fd, POLLOUT, static_cast<int>(timeoutMs)) != 1) {
        return TcpConnect::Failed;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        return TcpConnect::Failed;
    }
    return error == 0              ? TcpConnect::Connected
           : error == ECONNREFUSED ? TcpConnect::Refused
                                   : TcpConnect::Failed;
}

}  // namespace

bool TcpSocket::SocketsReady() {
    return true;
}

TcpConnect TcpSocket::TryAddress(const addrinfo& a, std::uint32_t timeoutMs) {
    const int fd = socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0) {
        return TcpConnect::Failed;
    }
    const TcpConnect tried = ConnectTo(fd, a, timeoutMs);
    if (tried == TcpConnect::Connected) {
        const int on = 1;  // commands are small and awaited: no coalescing delay
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        m_handle = fd;
    } else {
        ::close(fd);
    }
    return tried;
}

void TcpSocket::Close() {
    if (m_handle != kNoSocket) {
        ::close(static_cast<int>(m_handle));
        m_handle = kNoSocket;
    }
}

int TcpSocket::Send(const std::uint8_t* data, int length, int timeoutMs) {
    const int fd = static_cast<int>(m_handle);
    const int ready = WaitFor(fd, POLLOUT, timeoutMs);
    if (ready <= 0) {
        return ready;
    }
    const ssize_t n = ::send(fd, data, static_cast<std::size_t>(length), MSG_NOSIGNAL);
    if (n < 0) {
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }
    return static_cast<int>(n);
}

int TcpSocket::Receive(std::uint8_t* buffer, int capacity, int timeoutMs) {
    const int fd = static_cast<int>(m_handle);
    const int ready = WaitFor(fd, POLLIN, timeoutMs);
    if (ready <= 0) {
        return ready;
    }
    const ssize_t n = ::recv(fd, buffer, static_cast<std::size_t>(capacity), 0);
    if (n < 0) {
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }
    return n == 0 ? -1 : static_cast<int>(n);
}

}  // namespace tarvek
