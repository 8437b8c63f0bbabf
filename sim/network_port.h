// The simulated printer's raw print port: a TCP listener that serves one connection at a time,
// as mobile printers do (a second client waits in the backlog until the first has gone).
#pragma once

#include <poll.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/printer_link.h"
#include "link/unique_fd.h"

namespace tarvek::sim {

class NetworkPort {
  public:
    // Listens on host:port (an IPv4 address); false with errno set when it cannot.
    bool Listen(const std::string& host, int port);
    void Stop();
    bool Listening() const { return m_listener.Valid(); }
    const std::string& Host() const { return m_host; }

    // The descriptor to wait on: the client while one is connected, else the listener.
    void AddTo(std::vector<pollfd>& fds) const;
    // After the wait: takes a waiting client, or reads what the client sent (a client that
    // hung up is let go). The bytes received, none when there are none.
    Bytes Serve(const std::vector<pollfd>& fds);
    bool Connected() const { return m_client.Valid(); }
    void Send(const Bytes& bytes);

  private:
    UniqueFd m_listener;
    UniqueFd m_client;
    std::string m_host;
};

}  // namespace tarvek::sim
