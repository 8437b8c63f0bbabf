#include <gtest/gtest.h>

#include "printer/printer_commands.h"
#include "sim/printer_model.h"
#include "sim_test_util.h"

namespace tarvek::sim {
namespace {

using testing::AsText;
using testing::Exchange;
using testing::Text;

PrinterModel MakeModel(int emulation) {
    PrinterState state = DefaultPrinterState();
    state.emulation = emulation;
    return PrinterModel(state);
}

TEST(PrinterModelEmulation, AnswersTheQueryInBothForms) {
    std::uint32_t now = 100;
    PrinterModel escPos = MakeModel(kEmulationEscPos);
    EXPECT_EQ(Exchange(escPos, BuildEmulationQuery(), now), (Bytes{0x01}));
    PrinterModel cpcl = MakeModel(kEmulationCpcl);
    EXPECT_EQ(Exchange(cpcl, BuildEmulationQuery(), now), (Bytes{0x00}));
    cpcl.State().answerForm = EmulationAnswerForm::Ascii;
    EXPECT_EQ(AsText(Exchange(cpcl, BuildEmulationQuery(), now)), "0");
    escPos.State().answerForm = EmulationAnswerForm::Ascii;
    EXPECT_EQ(AsText(Exchange(escPos, BuildEmulationQuery(), now)), "1");
}

TEST(PrinterModelEmulation, AnswerIsDueAFewMillisecondsAfterTheLastByte) {
    PrinterModel model;
    model.Feed(BuildEmulationQuery(), 500);
    EXPECT_TRUE(model.Collect(500).empty());
    EXPECT_TRUE(model.Collect(500 + kAnswerDelayMs - 1).empty());
    std::uint32_t at = 0;
    ASSERT_TRUE(model.NextEventMs(at));
    EXPECT_EQ(at, 500 + kAnswerDelayMs);
    EXPECT_EQ(model.Collect(500 + kAnswerDelayMs), (Bytes{0x01}));
    EXPECT_FALSE(model.NextEventMs(at));
}

TEST(PrinterModelEmulation, SwitchChangesEmulationWithoutAnswer) {
    std::uint32_t now = 0;
    PrinterModel model = MakeModel(kEmulationEscPos);
    EXPECT_TRUE(Exchange(model, BuildSetEmulation(kEmulationCpcl), now).empty());
    EXPECT_EQ(model.State().emulation, kEmulationCpcl);
    EXPECT_TRUE(Exchange(model, BuildSetEmulation(kEmulationEscPos), now).empty());
    EXPECT_EQ(model.State().emulation, kEmulationEscPos);
}

TEST(PrinterModelEmulation, IdlePreambleIsNoCommand) {
    std::uint32_t now = 0;
    PrinterModel model;
    EXPECT_TRUE(Exchange(model, Bytes{0x00, 0x00}, now).empty());
    EXPECT_EQ(model.CommandCount(), 0);
    EXPECT_TRUE(model.State().pages.empty());
    EXPECT_EQ(model.HostByteCount(), 2);
}

TEST(PrinterModelSerial, EscPosCommandSetsEveryField) {
    std::uint32_t now = 0;
    PrinterModel model = MakeModel(kEmulationEscPos);
    Exchange(model,
             BuildEscPosSerialCommand(115200, kDataBits7, kParityOdd, kStopBits2, kFlowXonXoff),
             now);
    const SerialLineSettings& s = model.State().serial;
    EXPECT_EQ(s.baudRate, 115200);
    EXPECT_EQ(s.dataBitsIndex, kDataBits7);
    EXPECT_EQ(s.parityIndex, kParityOdd);
    EXPECT_EQ(s.stopBitsIndex, kStopBits2);
    EXPECT_EQ(s.flowIndex, kFlowXonXoff);
}

TEST(PrinterModelSerial, CpclLinesApplyOnlyWithComApply) {
    std::uint32_t now = 0;
    PrinterModel model = MakeModel(kEmulationCpcl);
    const auto lines = BuildCpclSerialLines(38400, kParityEven, 2);
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        Exchange(model, lines[static_cast<std::size_t>(i)], now);
    }
    EXPECT_EQ(model.State().serial.baudRate, 9600);
    EXPECT_TRUE(Exchange(model, lines[3], now).empty());
    EXPECT_EQ(model.State().serial.baudRate, 38400);
    EXPECT_EQ(model.State().serial.parityIndex, kParityEven);
    EXPECT_EQ(model.State().serial.stopBitsIndex, kStopBits2);
    EXPECT_EQ(model.State().serial.dataBitsIndex, kDataBits8);
    EXPECT_EQ(AsText(Exchange(model, "! U1 getvar \"comm.baud\"\r\n", now)), "\"38400\"");
}

TEST(PrinterModelSerial, MismatchedLineIsNoiseUntilTheHostFollows) {
    std::uint32_t now = 0;
    PrinterModel model;
    model.SetHostLine({19200, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_FALSE(model.LineMatches());
    EXPECT_TRUE(Exchange(model, BuildEmulationQuery(), now).empty());
    model.SetHostLine({9600, kParityNone, kDataBits8, kStopBits1, kFlowXonXoff});
    EXPECT_TRUE(model.LineMatches());  // flow control does not change the bytes
    Exchange(model,
             BuildEscPosSerialCommand(57600, kDataBits8, kParityNone, kStopBits1, kFlowDtrDsr),
             now);
    EXPECT_TRUE(Exchange(model, BuildEmulationQuery(), now).empty());
    model.SetHostLine({57600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr});
    EXPECT_EQ(Exchange(model, BuildEmulationQuery(), now), (Bytes{0x01}));
}

TEST(PrinterModelBluetooth, EscPosReadsAndWrites) {
    std::uint32_t now = 0;
    PrinterModel model = MakeModel(kEmulationEscPos);
    model.State().bluetoothAddress = "00:11:22:33:44:55";
    EXPECT_EQ(AsText(Exchange(model, BuildBluetoothAddressQuery(kEmulationEscPos), now)),
              "00:11:22:33:44:55");
    Exchange(model, BuildDiscoverableCommand(kEmulationEscPos, false), now);
    EXPECT_FALSE(model.State().discoverable);
    EXPECT_EQ(AsText(Exchange(model, BuildDiscoverableQuery(kEmulationEscPos), now)), "off");
    Exchange(model, BuildDiscoverableCommand(kEmulationEscPos, true), now);
    EXPECT_EQ(AsText(Exchange(model, BuildDiscoverableQuery(kEmulationEscPos), now)), "on");
}

TEST(PrinterModelBluetooth, EscPosPinEndsAtAPauseOrTheNextCommand) {
    PrinterModel model = MakeModel(kEmulationEscPos);
    model.Feed(BuildBluetoothPinCommand(kEmulationEscPos, "4711"), 0);
    EXPECT_EQ(model.State().bluetoothPin, "0000");  // not over before a pause
    model.Advance(kCommandPauseMs);
    EXPECT_EQ(model.State().bluetoothPin, "4711");
    // Directly followed by a query: the query's first byte ends the PIN.
    Bytes both = BuildBluetoothPinCommand(kEmulationEscPos, "98");
    const Bytes query = BuildEmulationQuery();
    both.insert(both.end(), query.begin(), query.end());
    model.Feed(both, 100);
    EXPECT_EQ(model.State().bluetoothPin, "98");
    EXPECT_EQ(model.Collect(200), (Bytes{0x01}));
}

TEST(PrinterModelBluetooth, CpclGetvarAnswersInQuotesAndSetvarWrites) {
    std::uint32_t now = 0;
    PrinterModel model = MakeModel(kEmulationCpcl);
    model.State().bluetoothAddress = "00:AA:BB:CC:DD:EE";
    EXPECT_EQ(AsText(Exchange(model, BuildBluetoothAddressQuery(kEmulationCpcl), now)),
              "\"00:AA:BB:CC:DD:EE\"");
    Exchange(model, BuildBluetoothPinCommand(kEmulationCpcl, "123456"), now);
    EXPECT_EQ(model.State().bluetoothPin, "123456");
    Exchange(model, BuildDiscoverableCommand(kEmulationCpcl, false), now);
    EXPECT_EQ(AsText(Exchange(model, BuildDiscoverableQuery(kEmulationCpcl), now)), "\"off\"");
}

TEST(PrinterModelBluetooth, CommandsOfTheOtherEmulationAreIgnored) {
    std::uint32_t now = 0;
    PrinterModel cpcl = MakeModel(kEmulationCpcl);
    EXPECT_TRUE(Exchange(cpcl, BuildBluetoothAddressQuery(kEmulationEscPos), now).empty());
    PrinterModel escPos = MakeModel(kEmulationEscPos);
    Exchange(escPos, BuildDiscoverableCommand(kEmulationCpcl, false), now);
    EXPECT_TRUE(escPos.State().discoverable);
}

TEST(PrinterModelPowerSaveAndCodePage, CommandsChangeState) {
    std::uint32_t now = 0;
    PrinterModel model;
    EXPECT_TRUE(Exchange(model, BuildPowerSaveCommand(2, 30), now).empty());
    EXPECT_EQ(model.State().powerSaveMode, 2);
    EXPECT_EQ(model.State().powerSaveMinutes, 30);
    Exchange(model, BuildSetCodePageCommand(23), now);
    EXPECT_EQ(model.State().codePage, 23);
    const Bytes outside{0x1C, 0x45, 0x50, 24};
    Exchange(model, outside, now);
    EXPECT_EQ(model.State().codePage, 23);
}

TEST(PrinterModelPrinting, TestPageIsOnePageWithItsCodePage) {
    std::uint32_t now = 0;
    PrinterModel model;
    Exchange(model, BuildSetCodePageCommand(2), now);
    const unsigned long long before = model.ChangeCount();
    Exchange(model, BuildCodePageTestPage(), now);
    ASSERT_EQ(model.State().pages.size(), 1u);
    EXPECT_EQ(model.State().pages[0].bytes, BuildCodePageTestPage());
    EXPECT_EQ(model.State().pages[0].codePage, 2);
    EXPECT_GT(model.ChangeCount(), before);
}

TEST(PrinterModelParsing, UnknownBytesBeforeACommandDoNotHideIt) {
    std::uint32_t now = 0;
    PrinterModel model;
    Bytes bytes{0x1B, 0x7A, 0x1D, 0x00};
    const Bytes query = BuildEmulationQuery();
    bytes.insert(bytes.end(), query.begin(), query.end());
    EXPECT_EQ(Exchange(model, bytes, now), (Bytes{0x01}));
}

}  // namespace
}  // namespace tarvek::sim
