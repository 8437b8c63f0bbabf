#include "link/fd_io_posix.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "link/serial_write.h"

namespace tarvek {
namespace {

// These are waits of the device, measured on the monotonic clock, not pauses of the exchange.
constexpr int kReadIntervalMs = 50;
constexpr auto kReadTotal = std::chrono::milliseconds(100);

}  // namespace

int PollFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int rc;
    do {
        rc = poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0 && (p.revents & events) ? 1 : rc < 0 ? -1 : 0;
}

int ReadWaiting(int fd, std::uint8_t* buffer, int capacity) {
    int waiting = 0;
    if (fd < 0 || capacity <= 0 || ioctl(fd, FIONREAD, &waiting) != 0 || waiting <= 0) {
        return 0;
    }
    int count = 0;
    const auto start = std::chrono::steady_clock::now();
    while (count < capacity) {
        const ssize_t got = ::read(fd, buffer + count, capacity - count);
        if (got > 0) {
            count += static_cast<int>(got);
            continue;
        }
        if (got < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        }
        if (std::chrono::steady_clock::now() - start >= kReadTotal ||
            PollFor(fd, POLLIN, kReadIntervalMs) != 1) {
            break;
        }
    }
    return count;
}

int SendChunkTo(int fd, const std::uint8_t* data, int length, bool socket) {
    int sent = 0;
    while (sent < length) {
        const int ready = PollFor(fd, POLLOUT, kSerialChunkWaitMs);
        if (ready == 0) {
            return sent > 0 ? sent : kChunkTimedOut;
        }
        if (ready < 0) {
            return kChunkFailed;
        }
        const ssize_t n = socket ? ::send(fd, data + sent, length - sent, MSG_NOSIGNAL)
                                 : ::write(fd, data + sent, length - sent);
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return kChunkFailed;
        }
        sent += n > 0 ? static_cast<int>(n) : 0;
    }
    return sent;
}

}  // namespace tarvek
