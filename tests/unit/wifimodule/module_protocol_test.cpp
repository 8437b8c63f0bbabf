#include "wifimodule/module_protocol.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_link.h"
#include "support/virtual_clock.h"
#include "wifimodule/module_codec.h"

namespace tarvek {
namespace {

using testing::B;
using ::testing::ElementsAre;
using testing::FakeSerialLink;
using testing::FakeUsbLink;
using testing::VirtualClock;

struct ProtocolTest : ::testing::Test {
    VirtualClock clock;
    FakeSerialLink serial{clock};
    FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    WifiModuleProtocol protocol{ChannelSet{serial, usb, kind}, clock};
    ModuleReply reply;

    void OpenSerial() {
        kind = TransportKind::Serial;
        serial.SetOpen(true);
    }
    void OpenUsb() {
        kind = TransportKind::Usb;
        usb.SetOpen(true);
    }
};

TEST_F(ProtocolTest, IspEnterWaitsASecondOnSerialThenGathersToCrLf) {
    OpenSerial();
    serial.QueueAnswer("\r\n");  // a bare line end is a whole answer
    EXPECT_EQ(protocol.SetIspMode(true, reply), 2);
    EXPECT_EQ(serial.Writes()[0].bytes, (Bytes{0x1B, 0x5B, 0x4D, 0x01}));
    EXPECT_THAT(clock.Sleeps(), ElementsAre(1000u));
}

TEST_F(ProtocolTest, IspEnterGivesUpAfter51EmptyPolls) {
    OpenUsb();
    EXPECT_EQ(protocol.SetIspMode(true, reply), 0);
    EXPECT_EQ(usb.EmptyReads(), 51);
    // No pause first on USB, then 51 polls of 10 ms.
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(51, 10));
}

// Each byte that comes starts the 50 polls anew: an answer that trickles in is waited for.
TEST_F(ProtocolTest, IspEnterWaitsOnWhileItsAnswerTricklesIn) {
    OpenUsb();
    clock.SetOnAdvance([this](std::uint32_t now) {
        usb.Deliver(now == 1400 ? B("7") : now == 1800 ? B("01\r\n") : Bytes{});
    });
    EXPECT_EQ(protocol.SetIspMode(true, reply), 5);
}

TEST_F(ProtocolTest, IspLeaveReadsNothing) {
    OpenSerial();
    serial.QueueAnswer("bye\r\n");
    EXPECT_EQ(protocol.SetIspMode(false, reply), 0);
    EXPECT_EQ(serial.Writes()[0].bytes, (Bytes{0x1B, 0x5B, 0x4D, 0x00}));
    EXPECT_EQ(serial.Reads(), 0);
    EXPECT_THAT(clock.Sleeps(), ElementsAre(500u));
}

TEST_F(ProtocolTest, ReadReplyEndsAtTheFirstChunkEndingInCrLf) {
    OpenSerial();
    serial.QueueAnswer("701\r\n");
    EXPECT_EQ(protocol.ReadRegister(0, reply), 5);
    EXPECT_EQ(std::string(reply.bytes, reply.bytes + 5), "701\r\n");
    // The rest of the image, arriving later, is not waited for.
    EXPECT_EQ(serial.Reads(), 1);
    EXPECT_EQ(clock.Sleeps().size(), 1u);
    EXPECT_EQ(serial.Writes()[0].bytes, B("\x1b[D\x08r 03 00\r"));
}

TEST_F(ProtocolTest, ReadOnUsbTakes64BytesAtATimeAndIdleResetsOnData) {
    OpenUsb();
    std::string answer = "701\r\n" + std::string(90, 'A') + "\r\n";
    usb.QueueAnswer(answer);
    EXPECT_EQ(protocol.ReadRegister(kMacQueryIndex, reply), static_cast<int>(answer.size()));
    EXPECT_EQ(usb.Reads(), 2);  // 64 + 33 bytes
    EXPECT_EQ(usb.Writes()[0].bytes, B("\x1b[D\x04"
                                       "c 0\r"));
}

TEST_F(ProtocolTest, ReadGivesUpAfter31EmptyPollsWithWhatCame) {
    OpenSerial();
    serial.QueueAnswer("701");
    EXPECT_EQ(protocol.ReadRegister(4, reply), 3);
    EXPECT_EQ(serial.EmptyReads(), 31);
    EXPECT_EQ(clock.Sleeps().front(), 200u);
}

TEST_F(ProtocolTest, ReadReplyIsCutAtItsBuffer) {
    OpenSerial();
    clock.SetOnAdvance([&](std::uint32_t) { serial.Deliver(Bytes(100, 'x')); });
    serial.QueueAnswer(Bytes(100, 'x'));
    EXPECT_EQ(protocol.ReadRegister(0, reply), 256);
    EXPECT_EQ(reply.count, 256);
}

TEST_F(ProtocolTest, WriteSendsFrameWithPayloadWaitsASecondAndPolls11Times) {
    OpenSerial();
    const std::uint8_t image[12] = {3, 0, 12, 0, 192, 168, 0, 100, 0, 0, 0x53, 0xF5};
    const std::string payload = EncodeHexPayload(image, 12);
    serial.QueueAnswer("70");  // never ends with CR LF
    EXPECT_EQ(protocol.WriteRegister(0, payload, reply), 2);
    EXPECT_EQ(serial.EmptyReads(), 11);
    EXPECT_EQ(clock.Sleeps().front(), 1000u);
    const Bytes& frame = serial.Writes()[0].bytes;
    ASSERT_EQ(frame.size(), 48u);
    EXPECT_EQ(frame[3], 0x2C);
    EXPECT_EQ(std::string(frame.begin() + 4, frame.begin() + 12), "w 03 00 ");
    serial.ClearReadCounts();
    EXPECT_EQ(protocol.WriteRegister(1, payload, reply), 0);
    EXPECT_EQ(serial.EmptyReads(), 11);
}

TEST_F(ProtocolTest, TheMacQueryIsNotWritable) {
    OpenSerial();
    EXPECT_EQ(protocol.WriteRegister(10, "00\r", reply), 0);
    EXPECT_TRUE(serial.Writes().empty());
}

TEST_F(ProtocolTest, UnlockReadsOnWhileChunksAreFull64Bytes) {
    OpenUsb();
    usb.QueueAnswer(Bytes(128 + 5, '7'));
    EXPECT_EQ(protocol.UnlockRegisters(reply), 0);
    EXPECT_EQ(reply.count, 133);
    EXPECT_EQ(usb.Reads(), 3);
    EXPECT_EQ(usb.Writes()[0].bytes, B("\x1b[D\x0c"
                                       "u b3e1 07d4\r"));
}

TEST_F(ProtocolTest, UnlockIdleCountIsNeverReset) {
    OpenUsb();
    int polls = 0;
    clock.SetOnAdvance([&](std::uint32_t) {
        if (++polls == 41) {
            usb.Deliver(Bytes(64, 'z'));  // a full chunk half way does not restart the wait
        }
    });
    EXPECT_EQ(protocol.UnlockRegisters(reply), 0);
    EXPECT_EQ(usb.EmptyReads(), 76);
    OpenSerial();
    serial.QueueAnswer("");
    clock.ClearSleeps();
    EXPECT_EQ(protocol.UnlockRegisters(reply), -1);
    EXPECT_EQ(clock.Sleeps().front(), 10u);  // the pause after the command
}

TEST_F(ProtocolTest, FlashSendsItsCommandAndGathersTheAnswer) {
    OpenSerial();
    serial.QueueAnswer("701\r\n");
    EXPECT_EQ(protocol.FlashRegisters(reply), 5);
    EXPECT_EQ(serial.Writes()[0].bytes, B("\x1b[D\x07"
                                          "f 6f2b\r"));
}

TEST_F(ProtocolTest, NoLinkSendsNothingAndAnswersNothing) {
    kind = TransportKind::None;
    EXPECT_EQ(protocol.SetIspMode(true, reply), 0);
    EXPECT_EQ(protocol.ReadRegister(0, reply), 0);
    EXPECT_EQ(protocol.UnlockRegisters(reply), -1);
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_TRUE(usb.Writes().empty());
}

}  // namespace
}  // namespace tarvek
