// The POSIX serial link's own parts: the line as termios flags, a chunk on a descriptor.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "link/fd_io_posix.h"
#include "link/serial/serial_termios.h"
#include "link/unique_fd.h"

namespace tarvek {
namespace {

termios Mapped(const SerialLineSettings& settings) {
    termios t{};
    t.c_lflag = ECHO | ICANON | ISIG;
    t.c_iflag = ICRNL | IXANY;
    t.c_oflag = OPOST;
    EXPECT_EQ(MapToTermios(settings, t), 0);
    return t;
}

TEST(TermiosMapping, RawModeAndSpeed) {
    const termios t = Mapped({38400, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B38400));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B38400));
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG), 0u);
    EXPECT_EQ(t.c_iflag & ICRNL, 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_NE(t.c_cflag & CREAD, 0u);
    EXPECT_NE(t.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(TermiosMapping, ParityDataAndStopBits) {
    termios t = Mapped({9600, kParityOdd, kDataBits7, kStopBits2, kFlowDtrDsr});
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB | PARODD));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    t = Mapped({9600, kParityEven, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
    t = Mapped({9600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
}

TEST(TermiosMapping, FlowControl) {
    termios t = Mapped({9600, kParityNone, kDataBits8, kStopBits1, kFlowXonXoff});
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    t = Mapped({9600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
}

TEST(TermiosMapping, RefusesValuesOutsideTheLists) {
    termios t{};
    EXPECT_EQ(MapToTermios({14400, 0, 0, 0, 0}, t), -1);  // every listed speed: e2e/findport
    EXPECT_EQ(MapToTermios({9600, 3, 0, 0, 0}, t), -1);
    EXPECT_EQ(MapToTermios({9600, 0, 2, 0, 0}, t), -1);
    EXPECT_EQ(MapToTermios({9600, 0, 0, -1, 0}, t), -1);
}

// A descriptor that takes a page at a time (a pipe of one page, drained by a peer): the rest
// follows until every byte of the chunk went once, in order, and not one byte beyond it.
TEST(ChunkWrite, PartialWritesSendTheRestAndNothingBeyond) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const UniqueFd in(ends[0]);
    UniqueFd out(ends[1]);
    ASSERT_EQ(fcntl(out.Get(), F_SETFL, O_NONBLOCK), 0);
    const int room = fcntl(out.Get(), F_SETPIPE_SZ, 4096);
    ASSERT_GT(room, 0);
    std::vector<std::uint8_t> bytes(8 * room), arrived;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    std::thread peer([&] {
        std::uint8_t buffer[512];
        for (ssize_t n; (n = read(in.Get(), buffer, sizeof buffer)) > 0;) {
            arrived.insert(arrived.end(), buffer, buffer + n);
        }
    });
    const int length = 3 * room + 100;
    EXPECT_EQ(SendChunkTo(out.Get(), bytes.data(), length, false), length);
    out.Reset();  // the peer reads to the end
    peer.join();
    EXPECT_EQ(arrived, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + length));
}

}  // namespace
}  // namespace tarvek
