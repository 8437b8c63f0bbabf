// The POSIX serial link on a real pseudo-terminal.
#include <gtest/gtest.h>

#include "e2e/link/pty_peer.h"
#include "link/links.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

using testing::PtyPeer;
using testing::VirtualClock;

class PosixSerialOnPty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(peer.Ready());
        ASSERT_EQ(link->Open(peer.Path(), 9600, kParityNoneIdx, 1, 0, 0), 0);
    }
    static constexpr int kParityNoneIdx = 0;
    PtyPeer peer;
    VirtualClock clock{1000};
    std::unique_ptr<SerialPrinterLink> link = MakeSerialLink(clock);
};

TEST_F(PosixSerialOnPty, ReadsReturnWhatWaitsInBatchesOfTheCapacity) {
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);  // nothing waits: at once
    std::vector<std::uint8_t> answer;       // n * 7 + 1: a lost, doubled or reordered byte shows
    for (int n = 0; n < 300; ++n) {
        answer.push_back(static_cast<std::uint8_t>(n * 7 + 1));
    }
    peer.Send(answer);
    ASSERT_TRUE(peer.WaitReadable(300));
    ASSERT_EQ(link->Read(buffer, 256), 256);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 256),
              std::vector<std::uint8_t>(answer.begin(), answer.begin() + 256));
    ASSERT_EQ(link->Read(buffer, 256), 44);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 44),
              std::vector<std::uint8_t>(answer.begin() + 256, answer.end()));
    EXPECT_EQ(link->Read(buffer, 256), 0);
}

TEST_F(PosixSerialOnPty, WriteNewLineSettingsAndOpeningDropWhatArrivedBefore) {
    for (const int way : {0, 1, 2}) {
        peer.Send({'o', 'l', 'd'});
        ASSERT_TRUE(peer.WaitReadable(3));
        if (way == 0) {
            link->Write(std::vector<std::uint8_t>{'A'});
        } else {
            ASSERT_EQ(way == 1 ? link->Reconfigure({19200, kParityNoneIdx, 1, 0, 0})
                               : link->Open(peer.Path(), 9600, kParityNoneIdx, 1, 0, 0),
                      0);
        }
        std::uint8_t buffer[16];
        EXPECT_EQ(link->Read(buffer, 16), 0) << way;
    }
}

// Linux's pseudo-terminals keep CS8 without parity whatever is asked (the kernel rewrites
// those bits), so parity and data bits are checked where they are mapped (unit tests); speed,
// stop bits and flow control reach the terminal.
TEST_F(PosixSerialOnPty, TerminalCarriesTheLineSettings) {
    link->Close();
    ASSERT_EQ(link->Open(peer.Path(), 57600, 1, 0, 1, 1), 0);
    const termios t = peer.Settings();
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B57600));
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
}

TEST_F(PosixSerialOnPty, RefusedSettingsLeaveThePortOpenUntilClose) {
    link->Close();
    EXPECT_EQ(link->Open(peer.Path(), 14400, 0, 1, 0, 0), -1);
    // Still open: a write goes out (with the preamble of a fresh open).
    EXPECT_EQ(link->Write(std::vector<std::uint8_t>{'x'}), 1);
    EXPECT_EQ(peer.Drain(), (std::vector<std::uint8_t>{0, 0, 'x'}));
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(link->Write(std::vector<std::uint8_t>{'y'}), 0);
    EXPECT_TRUE(peer.Drain(100).empty());
    EXPECT_EQ(link->Close(), 0);  // harmless when closed
    EXPECT_EQ(link->Open(peer.Path(), 9600, 0, 1, 3, 0), -1);
}

TEST_F(PosixSerialOnPty, EveryReopenStartsWithThePreamble) {
    link->Write(std::vector<std::uint8_t>{'a'});
    peer.Drain();
    link->Close();
    ASSERT_EQ(link->Open(peer.Path(), 9600, 0, 1, 0, 0), 0);
    link->Write(std::vector<std::uint8_t>{'b'});
    EXPECT_EQ(peer.Drain(), (std::vector<std::uint8_t>{0, 0, 'b'}));
}

TEST(PosixSerial, MissingDeviceFailsClosed) {
    VirtualClock clock;
    auto link = MakeSerialLink(clock);
    EXPECT_EQ(link->Open("/dev/tarvek-no-such-port", 9600, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(std::vector<std::uint8_t>{'x'}), 0);
    std::uint8_t b[4];
    EXPECT_EQ(link->Read(b, 4), 0);
    EXPECT_EQ(link->Close(), 0);
}

}  // namespace
}  // namespace tarvek
