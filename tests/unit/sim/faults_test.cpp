#include <gtest/gtest.h>

#include "printer/printer_commands.h"
#include "sim/printer_model.h"
#include "sim_test_util.h"

namespace tarvek::sim {
namespace {

using testing::AsText;
using testing::Exchange;
using testing::Framed;

PrinterModel WithFaults(const Faults& faults) {
    return PrinterModel(DefaultPrinterState(), faults);
}

TEST(Faults, SilentFromTheStart) {
    Faults f;
    f.silent = true;
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    EXPECT_TRUE(Exchange(model, BuildEmulationQuery(), now).empty());
    Exchange(model, BuildSetEmulation(kEmulationCpcl), now);
    EXPECT_EQ(model.State().emulation, kEmulationCpcl);  // still takes commands
}

TEST(Faults, SilentAfterNCommands) {
    Faults f;
    f.silentAfterCommands = 2;
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    EXPECT_FALSE(Exchange(model, BuildEmulationQuery(), now).empty());
    EXPECT_FALSE(Exchange(model, BuildEmulationQuery(), now).empty());
    EXPECT_TRUE(Exchange(model, BuildEmulationQuery(), now).empty());
}

TEST(Faults, LateAnswer) {
    Faults f;
    f.lateMs = 2500;
    PrinterModel model = WithFaults(f);
    model.Feed(BuildEmulationQuery(), 0);
    EXPECT_TRUE(model.Collect(2500 + kAnswerDelayMs - 1).empty());
    EXPECT_EQ(model.Collect(2500 + kAnswerDelayMs), (Bytes{0x01}));
}

TEST(Faults, AnswerInPiecesWithAGap) {
    Faults f;
    f.pieces = 2;
    f.pieceGapMs = 100;
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    Exchange(model, BuildIspModeSwitch(true), now);
    model.Feed(Framed(BuildReadCommand(0)), now);
    const auto first = model.CollectChunks(now + kAnswerDelayMs);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(AsText(first[0]), "701\r\n03 00 0C 00 C0 A");
    EXPECT_TRUE(model.Collect(now + kAnswerDelayMs + 99).empty());
    EXPECT_EQ(AsText(model.Collect(now + kAnswerDelayMs + 100)), "8 00 64 00 00 53 F5\r\n");
}

TEST(Faults, GarbageIsNeitherAnEmulationCodeNorAnAck) {
    Faults f;
    f.garbage = true;
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    const Bytes answer = Exchange(model, BuildEmulationQuery(), now);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(ParseEmulationAnswer(answer.data(), 1), kNotAnEmulationCode);
    EXPECT_NE(AsText(Exchange(model, BuildIspModeSwitch(true), now)).compare(0, 3, "701"), 0);
}

TEST(Faults, RefuseARegisterOnReadOrWrite) {
    Faults f;
    f.refuseRead = {4, kMacQueryIndex};
    f.refuseWrite = {0};
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    Exchange(model, BuildIspModeSwitch(true), now);
    EXPECT_NE(AsText(Exchange(model, Framed(BuildReadCommand(4)), now)).compare(0, 3, "701"), 0);
    EXPECT_NE(AsText(Exchange(model, Framed(BuildReadCommand(10)), now)).compare(0, 3, "701"), 0);
    EXPECT_EQ(AsText(Exchange(model, Framed(BuildReadCommand(3)), now)).compare(0, 3, "701"), 0);
    Exchange(model, Framed(kUnlockCommand), now);
    const Bytes image = MakeRegisterImage(0, Bytes{1, 2, 3, 4});
    const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
    EXPECT_NE(AsText(Exchange(model, Framed(BuildWriteCommandPrefix(0) + payload), now))
                  .compare(0, 3, "701"),
              0);
}

TEST(Faults, CorruptTheCheckOfARead) {
    Faults f;
    f.corruptReadCheck = {0};
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    Exchange(model, BuildIspModeSwitch(true), now);
    EXPECT_EQ(AsText(Exchange(model, Framed(BuildReadCommand(0)), now)),
              "701\r\n03 00 0C 00 C0 A8 00 64 00 00 53 0A\r\n");
}

TEST(Faults, StopAfterHostByteN) {
    Faults f;
    f.stopAfterHostByte = 5;  // the preamble and the first query, then nothing
    PrinterModel model = WithFaults(f);
    std::uint32_t now = 0;
    Exchange(model, Bytes{0, 0}, now);
    EXPECT_EQ(Exchange(model, BuildEmulationQuery(), now), (Bytes{0x01}));
    EXPECT_TRUE(Exchange(model, BuildEmulationQuery(), now).empty());
    EXPECT_EQ(model.HostByteCount(), 5);
}

TEST(Faults, UsbDisappearsAfterNCommandsAndComesBack) {
    Faults f;
    f.usbGoneAfterCommands = 1;
    f.usbGoneForMs = 2000;
    PrinterModel model = WithFaults(f);
    EXPECT_TRUE(model.UsbPresent(0));
    model.Feed(BuildEmulationQuery(), 100);
    EXPECT_FALSE(model.UsbPresent(100));
    EXPECT_FALSE(model.UsbPresent(2099));
    EXPECT_TRUE(model.UsbPresent(2100));
    model.SetUsbPresent(false);
    EXPECT_FALSE(model.UsbPresent(5000));
    model.SetUsbPresent(true);
    EXPECT_TRUE(model.UsbPresent(5000));
}

}  // namespace
}  // namespace tarvek::sim
