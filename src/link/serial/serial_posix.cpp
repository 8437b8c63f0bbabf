// CSerialLink on a POSIX terminal device (termios).
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "link/fd_io_posix.h"
#include "link/links.h"
#include "link/serial/serial_termios.h"
#include "link/serial_write.h"
#include "link/unique_fd.h"

namespace tarvek {
namespace {

constexpr auto kDrainLimit = std::chrono::milliseconds(kSerialChunkWaitMs);

std::string DevicePath(const std::string& portName) {
    return portName.find('/') == std::string::npos ? "/dev/" + portName : portName;
}

class CSerialLink final : public SerialPrinterLink, private SerialChunkPort {
  public:
    CSerialLink(Clock& clock, InputPurge purge) : m_clock(clock), m_purge(purge) {}
    using PrinterLink::Write;

    int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
             int stopBitsIndex, int flowIndex) override {
        Close();
        m_fd.Reset(::open(DevicePath(portName).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
        if (!m_fd.Valid()) {
            return -1;
        }
        // Exclusive, as the Windows port is: a second open of the device is refused.
        ioctl(m_fd.Get(), TIOCEXCL);
        // What the printer sent before the open is dropped. Nothing of ours is pending at an
        // open, and on a pseudo-terminal flushing our output side would also drop what the far
        // end has not read yet of an earlier session's last command.
        tcflush(m_fd.Get(), TCIFLUSH);
        if (Configure({baudRate, parityIndex, dataBitsIndex, stopBitsIndex, flowIndex}) != 0) {
            return -1;
        }
        m_idle = IdleState{true, 0};
        return 0;
    }

    int Reconfigure(const SerialLineSettings& settings) override {
        if (!m_fd.Valid() || Configure(settings) != 0) {
            return -1;
        }
        tcflush(m_fd.Get(), TCIFLUSH);  // what came under the old settings is noise
        return 0;
    }

    int Close() override {
        m_fd.Reset();
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        if (!m_fd.Valid()) {
            return 0;
        }
        return RunSerialWrite(*this, m_clock, m_idle, m_purge, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        return ReadWaiting(m_fd.Get(), buffer, capacity);
    }

  private:
    int Configure(const SerialLineSettings& settings) {
        termios t{};
        if (tcgetattr(m_fd.Get(), &t) != 0 || MapToTermios(settings, t) != 0 ||
            tcsetattr(m_fd.Get(), TCSANOW, &t) != 0) {
            return -1;
        }
        return 0;
    }

    int SendChunk(const std::uint8_t* data, int length) override {
        return SendChunkTo(m_fd.Get(), data, length, false);
    }
    // Only the input is dropped, once the output has left (within the chunk bound):
    // discarding output still queued would cut the command short.
    void PurgeInput() override {
        const auto start = std::chrono::steady_clock::now();
        int queued = 0;
        while (ioctl(m_fd.Get(), TIOCOUTQ, &queued) == 0 && queued > 0 &&
               std::chrono::steady_clock::now() - start < kDrainLimit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        tcflush(m_fd.Get(), TCIFLUSH);
    }
    void PurgeAll() override { tcflush(m_fd.Get(), TCIOFLUSH); }

    Clock& m_clock;
    const InputPurge m_purge;
    UniqueFd m_fd;
    IdleState m_idle;
};

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeSerialLink(Clock& clock, InputPurge purge) {
    return std::make_unique<CSerialLink>(clock, purge);
}

}  // namespace tarvek
