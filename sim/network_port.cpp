#include "sim/network_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>

namespace tarvek::sim {
namespace {

bool Ready(const std::vector<pollfd>& fds, int fd) {
    for (const pollfd& p : fds) {
        if (p.fd == fd) {
            return (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        }
    }
    return false;
}

}  // namespace

bool NetworkPort::Listen(const std::string& host, int port) {
    Stop();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        errno = EINVAL;
        return false;
    }
    UniqueFd listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    if (!listener.Valid() ||
        setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener.Get(), 4) != 0) {
        return false;
    }
    m_listener.Reset(listener.Release());
    m_host = host;
    return true;
}

void NetworkPort::Stop() {
    m_client.Reset();
    m_listener.Reset();
    m_host.clear();
}

void NetworkPort::AddTo(std::vector<pollfd>& fds) const {
    if (m_client.Valid()) {
        fds.push_back({m_client.Get(), POLLIN, 0});
    } else if (m_listener.Valid()) {
        fds.push_back({m_listener.Get(), POLLIN, 0});
    }
}

Bytes NetworkPort::Serve(const std::vector<pollfd>& fds) {
    if (!m_client.Valid()) {
        if (m_listener.Valid() && Ready(fds, m_listener.Get())) {
            m_client.Reset(accept4(m_listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        }
        return {};
    }
    if (!Ready(fds, m_client.Get())) {
        return {};
    }
    std::uint8_t buffer[512];
    const ssize_t n = recv(m_client.Get(), buffer, sizeof buffer, 0);
    if (n <= 0) {
        if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            m_client.Reset();
        }
        return {};
    }
    return Bytes(buffer, buffer + n);
}

void NetworkPort::Send(const Bytes& bytes) {
    if (m_client.Valid() && send(m_client.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0) {
        m_client.Reset();
    }
}

}  // namespace tarvek::sim
