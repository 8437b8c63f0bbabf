// The simulator's command line: each option's bounds, and the reason it gives for a refusal.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "sim/sim_options.h"

namespace tarvek::sim {
namespace {

int Parse(const std::string& line, SimOptions& o, std::string& error) {
    std::vector<std::string> words{"tarvek-printer-sim"};
    std::istringstream in(line);
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    return ParseSimOptions(static_cast<int>(argv.size()), argv.data(), o, error);
}

TEST(SimOptions, TakesEachOptionUpToItsBounds) {
    using Field = std::function<long long(const SimOptions&)>;
    const struct {
        const char* line;
        Field field;
        long long expected;
    } kRows[] = {
        {"--late 600000", [](auto& o) { return o.faults.lateMs; }, 600000},
        {"--pieces 1000", [](auto& o) { return o.faults.pieces; }, 1000},
        {"--piece-gap 600000", [](auto& o) { return o.faults.pieceGapMs; }, 600000},
        {"--silent-after 1000000", [](auto& o) { return o.faults.silentAfterCommands; }, 1000000},
        {"--silent-after 0", [](auto& o) { return o.faults.silentAfterCommands; }, 0},
        {"--refuse-read 10 --refuse-read 0", [](auto& o) { return o.faults.refuseRead.size(); }, 2},
        {"--refuse-write 4", [](auto& o) { return *o.faults.refuseWrite.begin(); }, 4},
        {"--corrupt-check 9", [](auto& o) { return *o.faults.corruptReadCheck.begin(); }, 9},
        {"--command-pause 1", [](auto& o) { return o.commandPauseMs; }, 1},
        {"--command-pause 60000", [](auto& o) { return o.commandPauseMs; }, 60000},
        {"--stop-after-byte 1099511627776", [](auto& o) { return o.faults.stopAfterHostByte; },
         1099511627776},
        {"--data-bits 7", [](auto& o) { return o.initial.serial.dataBitsIndex; }, kDataBits7},
        {"--stop-bits 2", [](auto& o) { return o.initial.serial.stopBitsIndex; }, kStopBits2},
        {"--stop-bits 1", [](auto& o) { return o.initial.serial.stopBitsIndex; }, kStopBits1},
        {"--baud 115200", [](auto& o) { return o.initial.serial.baudRate; }, 115200},
        {"--parity even", [](auto& o) { return o.initial.serial.parityIndex; }, kParityEven},
        {"--flow xon", [](auto& o) { return o.initial.serial.flowIndex; }, kFlowXonXoff},
        {"--mac 00:1D:C9:10:20:FF", [](auto& o) { return o.initial.mac[5]; }, 0xFF},
        {"--module wep", [](auto& o) { return int(o.initial.moduleKind); },
         int(ModuleKind::WepOnly)},
        {"--module absent", [](auto& o) { return int(o.initial.moduleKind); },
         int(ModuleKind::Absent)},
        {"--discoverable off", [](auto& o) { return o.initial.discoverable; }, 0},
        {"--answer-form ascii", [](auto& o) { return int(o.initial.answerForm); },
         int(EmulationAnswerForm::Ascii)},
        {"--emulation cpcl", [](auto& o) { return o.initial.emulation; }, kEmulationCpcl},
        {"--silent --garbage --render-pages -h",
         [](auto& o) { return o.faults.silent + o.faults.garbage + o.renderPages + o.help; }, 4},
    };
    for (const auto& row : kRows) {
        SimOptions o;
        std::string error;
        ASSERT_EQ(Parse(row.line, o, error), 0) << row.line << ": " << error;
        EXPECT_EQ(row.field(o), row.expected) << row.line;
    }
}

TEST(SimOptions, RefusesAValueOutOfBoundsAndSaysWhy) {
    // clang-format off
    const char* const kRefused[] = {
        "--late 600001", "--pieces 0", "--pieces 1001", "--piece-gap 600001",
        "--silent-after -1", "--silent-after 1000001", "--refuse-read 11", "--refuse-write -1",
        "--corrupt-check 11", "--command-pause 0", "--command-pause 60001", "--data-bits 6",
        "--data-bits 9", "--stop-bits 0", "--stop-bits 3", "--baud 1234", "--baud 4000001",
        "--parity mark", "--flow rts", "--module wifi", "--discoverable yes", "--answer-form hex",
        "--emulation zpl", "--mac 00:1D:C9:10:20", "--mac 00:1D:C9:10:20:3G",
        "--stop-after-byte -1",
    };
    // clang-format on
    for (const char* line : kRefused) {
        SimOptions o;
        std::string error;
        EXPECT_EQ(Parse(line, o, error), -1) << line;
        EXPECT_EQ(error.rfind("bad value '", 0), 0u) << line << ": " << error;
    }
    const struct {
        const char* line;
        const char* error;
    } kReasons[] = {
        {"--baud", "missing value for --baud"},
        {"--late 5 --command-pause", "missing value for --command-pause"},
        {"--late 7x", "bad value '7x' for --late"},
        {"--bogus", "unknown option --bogus"},  // last, without a value
    };
    for (const auto& row : kReasons) {
        SimOptions o;
        std::string error;
        EXPECT_EQ(Parse(row.line, o, error), -1);
        EXPECT_EQ(error, row.error);
    }
}

}  // namespace
}  // namespace tarvek::sim
