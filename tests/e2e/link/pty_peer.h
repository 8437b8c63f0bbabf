// The far end of a pseudo-terminal, standing in for a printer on a serial cable: the link
// opens the terminal side by its path, the test reads and writes the controlling side.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/unique_fd.h"

namespace tarvek::testing {

class PtyPeer {
  public:
    PtyPeer() {
        m_master.Reset(posix_openpt(O_RDWR | O_NOCTTY));
        if (m_master.Valid() && grantpt(m_master.Get()) == 0 && unlockpt(m_master.Get()) == 0) {
            m_path = ptsname(m_master.Get());
            // Held open so the terminal keeps its settings between the link's opens, and so
            // the test can read them.
            m_slave.Reset(::open(m_path.c_str(), O_RDWR | O_NOCTTY));
        }
    }
    bool Ready() const { return m_slave.Valid(); }
    const std::string& Path() const { return m_path; }

    // Everything that arrives within quietMs of the previous byte.
    std::vector<std::uint8_t> Drain(int quietMs = 200) {
        std::vector<std::uint8_t> got;
        pollfd p{m_master.Get(), POLLIN, 0};
        while (poll(&p, 1, quietMs) == 1 && (p.revents & POLLIN)) {
            std::uint8_t buffer[512];
            const ssize_t n = ::read(m_master.Get(), buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    void Send(const std::vector<std::uint8_t>& bytes) {
        ssize_t done = 0;
        while (done < static_cast<ssize_t>(bytes.size())) {
            const ssize_t n = ::write(m_master.Get(), bytes.data() + done, bytes.size() - done);
            if (n <= 0) {
                return;
            }
            done += n;
        }
    }
    // Waits until the terminal side holds count unread bytes (at most about a second).
    bool WaitReadable(int count) {
        for (int i = 0; i < 100; ++i) {
            int waiting = 0;
            if (ioctl(m_slave.Get(), FIONREAD, &waiting) == 0 && waiting >= count) {
                return true;
            }
            usleep(10000);
        }
        return false;
    }
    termios Settings() const {
        termios t{};
        tcgetattr(m_slave.Get(), &t);
        return t;
    }

  private:
    UniqueFd m_master;
    UniqueFd m_slave;
    std::string m_path;
};

}  // namespace tarvek::testing
