#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "sim/state_file.h"

namespace tarvek::sim {
namespace {

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
    s.ispMode = true;  // a restart is a power cycle

    PrinterState back = DefaultPrinterState();
    ASSERT_TRUE(ParseState(FormatState(s), back));
    EXPECT_EQ(back.emulation, kEmulationCpcl);
    EXPECT_EQ(back.answerForm, EmulationAnswerForm::Ascii);
    EXPECT_EQ(back.serial.baudRate, 57600);
    EXPECT_EQ(back.serial.parityIndex, kParityEven);
    EXPECT_EQ(back.serial.dataBitsIndex, kDataBits7);
    EXPECT_EQ(back.serial.stopBitsIndex, kStopBits2);
    EXPECT_EQ(back.serial.flowIndex, kFlowXonXoff);
    EXPECT_EQ(back.bluetoothAddress, "11:22:33:44:55:66");
    EXPECT_EQ(back.bluetoothPin, "9876");
    EXPECT_FALSE(back.discoverable);
    EXPECT_EQ(back.powerSaveMode, 1);
    EXPECT_EQ(back.powerSaveMinutes, 5);
    EXPECT_EQ(back.codePage, 23);
    EXPECT_EQ(back.moduleKind, ModuleKind::WepOnly);
    EXPECT_EQ(back.mac, s.mac);
    EXPECT_EQ(back.working, s.working);
    EXPECT_EQ(back.flash, s.flash);
    ASSERT_EQ(back.pages.size(), 1u);
    EXPECT_EQ(back.pages[0].bytes, s.pages[0].bytes);
    EXPECT_EQ(back.pages[0].codePage, 2);
    EXPECT_EQ(back.pages[0].emulation, kEmulationCpcl);
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
