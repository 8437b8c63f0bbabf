// A POSIX file descriptor that closes itself.
#pragma once

#include <unistd.h>

namespace tarvek {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }
    // Gives the descriptor up without closing it.
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    bool Valid() const { return m_fd >= 0; }
    int Get() const { return m_fd; }

  private:
    int m_fd = -1;
};

}  // namespace tarvek
