#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvek::sim {
namespace {

int Parse(std::vector<std::string> args, SimOptions& options) {
    args.insert(args.begin(), "tarvek-printer-sim");
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    std::string error;
    return ParseSimOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(SimOptions, EveryOptionReachesTheStateOrTheFaults) {
    SimOptions o;
    // clang-format off
    ASSERT_EQ(Parse({"--emulation", "cpcl", "--answer-form", "ascii", "--baud", "38400",
                     "--parity", "even", "--data-bits", "7", "--stop-bits", "2", "--flow", "xon",
                     "--pin", "9", "--discoverable", "off", "--module", "wep",
                     "--mac", "0A:1B:2C:3D:4E:5F", "--refuse-read", "3", "--refuse-write", "4",
                     "--refuse-write", "5", "--corrupt-check", "6", "--silent-after", "2",
                     "--stop-after-byte", "7", "--late", "8", "--command-pause", "9"}, o),
              0);
    // clang-format on
    const PrinterState& s = o.initial;
    EXPECT_EQ(s.emulation, kEmulationCpcl);
    EXPECT_EQ(s.answerForm, EmulationAnswerForm::Ascii);
    EXPECT_EQ(s.serial.baudRate, 38400);
    EXPECT_EQ(s.serial.parityIndex, kParityEven);
    EXPECT_EQ(s.serial.dataBitsIndex, kDataBits7);
    EXPECT_EQ(s.serial.stopBitsIndex, kStopBits2);
    EXPECT_EQ(s.serial.flowIndex, kFlowXonXoff);
    EXPECT_EQ(s.bluetoothPin, "9");
    EXPECT_FALSE(s.discoverable);
    EXPECT_EQ(s.moduleKind, ModuleKind::WepOnly);
    EXPECT_EQ(s.mac, (decltype(s.mac){{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}}));
    EXPECT_EQ(o.faults.refuseRead, std::set<int>{3});
    EXPECT_EQ(o.faults.refuseWrite, (std::set<int>{4, 5}));
    EXPECT_EQ(o.faults.corruptReadCheck, std::set<int>{6});
    EXPECT_EQ(o.faults.silentAfterCommands, 2);
    EXPECT_EQ(o.faults.stopAfterHostByte, 7);
    EXPECT_EQ(o.faults.lateMs, 8u);
    EXPECT_EQ(o.commandPauseMs, 9u);
}

TEST(SimOptions, ValuesOutsideTheirListsAreRefused) {
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--baud", "14400"},
                                                {"--module", "wifi6"},
                                                {"--parity"},
                                                {"--parity", "mark"},
                                                {"--refuse-read", "11"},
                                                {"--mac", "00:11"},
                                                {"--stop-bits", "0"},
                                                {"--stop-bits", "3"},
                                                {"--bogus"}}) {
        SimOptions o;
        EXPECT_EQ(Parse(bad, o), -1) << bad[0];
    }
}

}  // namespace
}  // namespace tarvek::sim
