#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <tuple>

#include "sim/state_file.h"

namespace tarvek::sim {
namespace {

// What a state file keeps: every field but ISP mode (a restart is a power cycle).
auto Kept(const PrinterState& s) {
    const SerialLineSettings& l = s.serial;
    const PrintedPage page = s.pages.empty() ? PrintedPage{} : s.pages[0];
    return std::make_tuple(s.emulation, s.answerForm, l.baudRate, l.parityIndex, l.dataBitsIndex,
                           l.stopBitsIndex, l.flowIndex, s.bluetoothAddress, s.bluetoothPin,
                           s.discoverable, s.powerSaveMode, s.powerSaveMinutes, s.codePage,
                           s.moduleKind, s.mac, s.working, s.flash, s.pages.size(), page.bytes,
                           page.codePage, page.emulation);
}

TEST(StateFile, EveryKeptFieldRoundTrips) {
    PrinterState s = DefaultPrinterState();
    s.emulation = kEmulationCpcl;
    s.answerForm = EmulationAnswerForm::Ascii;
    s.serial = {57600, kParityEven, kDataBits7, kStopBits2, kFlowXonXoff};
    s.bluetoothAddress = "11:22:33:44:55:66";
    s.bluetoothPin = "9876";
    s.discoverable = false;
    s.powerSaveMode = 1;
    s.powerSaveMinutes = 5;
    s.codePage = 23;
    s.moduleKind = ModuleKind::WepOnly;
    s.mac = {{1, 2, 3, 4, 5, 6}};
    s.working[4] = MakeRegisterImage(4, Bytes{'a', 'b'});
    s.working[0] = MakeRegisterImage(0, Bytes{10, 0, 0, 2});
    s.flash[0] = MakeRegisterImage(0, Bytes{10, 0, 0, 1});
    s.pages.push_back({Bytes{0x80, 0x0D, 0x0A}, 2, kEmulationCpcl});
    s.ispMode = true;
    PrinterState back = DefaultPrinterState();
    ASSERT_TRUE(ParseState(FormatState(s), back));
    EXPECT_TRUE(Kept(back) == Kept(s));
    EXPECT_FALSE(back.ispMode);
}

TEST(StateFile, BadLinesAreReportedAndSkipped) {
    PrinterState s = DefaultPrinterState();
    EXPECT_FALSE(ParseState("emulation=zpl\nparity=7\nbt_pin=1234\n", s));
    EXPECT_EQ(s.bluetoothPin, "1234");
    EXPECT_EQ(s.serial.parityIndex, kParityNone);
}

TEST(StateFile, AFileWithABadLineIsNotLoadedAndAMissingOneIsSaidSo) {
    const std::string path = ::testing::TempDir() + "state_file_test.state";
    std::remove(path.c_str());
    PrinterState s = DefaultPrinterState();
    EXPECT_EQ(LoadStateFile(path, s), StateLoad::Missing);
    std::ofstream(path, std::ios::binary) << "bt_pin=1234\nparity=7\n";
    EXPECT_EQ(LoadStateFile(path, s), StateLoad::Invalid);
    EXPECT_EQ(s.bluetoothPin, DefaultPrinterState().bluetoothPin);
    std::ofstream(path, std::ios::binary) << "bt_pin=1234\n";
    EXPECT_EQ(LoadStateFile(path, s), StateLoad::Loaded);
    EXPECT_EQ(s.bluetoothPin, "1234");
}

}  // namespace
}  // namespace tarvek::sim
