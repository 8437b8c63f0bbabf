// The platform's TCP socket under the network link (tcp_socket_posix.cpp with BSD sockets,
// tcp_socket_win32.cpp with Winsock; the walk over a host's addresses in tcp_socket.cpp): a
// non-blocking connect with a bounded wait, a bounded send, and a read of what is waiting.
// The socket closes itself.
#pragma once

#include <cstdint>

#include "link/network/tcp_link.h"

struct addrinfo;

namespace tarvek {

class TcpSocket final : public TcpConnector {
  public:
    TcpSocket() = default;
    ~TcpSocket() override { Close(); }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    TcpConnect Attempt(const TcpAddress& address, std::uint32_t timeoutMs) override;
    // Takes over a socket connected elsewhere (on Windows, a Bluetooth RFCOMM socket): from
    // here on it is sent on, received from and closed as one of ours.
    void Adopt(std::intptr_t handle) {
        Close();
        m_handle = handle;
    }
    bool IsOpen() const { return m_handle != kNoSocket; }
    void Close();
    // Hands up to length bytes over, waiting at most timeoutMs for room: the count taken,
    // 0 when no room came, -1 on failure.
    int Send(const std::uint8_t* data, int length, int timeoutMs);
    // Waits at most timeoutMs for bytes, then reads what is there (at most capacity): the count,
    // 0 when none came, -1 when the far end closed or the socket failed.
    int Receive(std::uint8_t* buffer, int capacity, int timeoutMs);

  private:
    // The platform's sockets are ready for use (Winsock started once).
    static bool SocketsReady();
    // One address: a socket made and connected within timeoutMs, kept when it connected.
    TcpConnect TryAddress(const addrinfo& address, std::uint32_t timeoutMs);

    static constexpr std::intptr_t kNoSocket = -1;
    std::intptr_t m_handle = kNoSocket;
};

}  // namespace tarvek
