// Finding simulator programs on their pseudo-terminals through the POSIX link, all at once, at
// settings that between them use every baud rate, parity and stop-bit choice and include the
// one tried last (all 48 are in the unit tests on virtual time, and in the benchmark). The pty
// line shim, preloaded here and into the simulators, carries the parity asked for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "printer/line_detection.h"
#include "printer/printer_commands.h"
#include "support/child_process.h"

namespace tarvek {
namespace {

TEST(LineDetectionOnPtys, EachSimulatorIsFoundAtItsSettings) {
    ASSERT_NE(std::getenv("TARVEK_PTY_LINE_DIR"), nullptr) << "run through ctest (pty line shim)";
    char dir[] = "/tmp/tarvek-findport-XXXXXX";
    const std::string d = mkdtemp(dir);
    const char* const kParities[] = {"none", "odd", "even"};
    const SerialLineSettings printers[] = {
        {1200, kParityOdd, 1, kStopBits2, 0},   {2400, kParityEven, 1, kStopBits1, 0},
        {4800, kParityNone, 1, kStopBits2, 0},  {9600, kParityNone, 1, kStopBits1, 0},
        {19200, kParityEven, 1, kStopBits2, 0}, {38400, kParityOdd, 1, kStopBits1, 0},
        {57600, kParityNone, 1, kStopBits1, 0}, {115200, kParityOdd, 1, kStopBits2, 0},
    };
    std::vector<std::unique_ptr<testing::ChildProcess>> sims;
    std::vector<std::string> ports;
    for (const SerialLineSettings& p : printers) {
        const std::string link = d + "/link" + std::to_string(ports.size());
        sims.push_back(std::make_unique<testing::ChildProcess>(std::vector<std::string>{
            TARVEK_SIM_PROGRAM, "--link-file", link, "--baud", std::to_string(p.baudRate),
            "--parity", kParities[p.parityIndex], "--stop-bits", p.stopBitsIndex ? "2" : "1",
            "--emulation", ports.size() % 2 ? "escpos" : "cpcl"}));
        ports.push_back(testing::WaitForLine(link));
    }
    ports.push_back("/dev/tarvek-no-such-port");
    const std::vector<LineDetection> found = DetectLines(ports, {8, nullptr});
    sims.clear();
    std::system(("rm -rf " + d).c_str());
    ASSERT_EQ(found.size(), ports.size());
    for (std::size_t i = 0; i < std::size(printers); ++i) {
        SCOPED_TRACE(std::to_string(printers[i].baudRate) + " on " + ports[i]);
        EXPECT_EQ(found[i].outcome, DetectionOutcome::Found);
        EXPECT_EQ(found[i].line.baudRate, printers[i].baudRate);
        EXPECT_EQ(found[i].line.parityIndex, printers[i].parityIndex);
        EXPECT_EQ(found[i].line.stopBitsIndex, printers[i].stopBitsIndex);
        EXPECT_EQ(found[i].emulation, i % 2 ? kEmulationEscPos : kEmulationCpcl);
    }
    EXPECT_EQ(found[0].settingsTried, 48);
    EXPECT_EQ(found.back().outcome, DetectionOutcome::OpenFailed);
}

}  // namespace
}  // namespace tarvek
