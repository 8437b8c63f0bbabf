// Time to find a printer's line settings, measured against simulator programs on
// pseudo-terminals (a plain timing program, run by hand):
//   build/native/bench/line_detection_bench           # every setting on one port, then the
//                                                     # last-tried one on four ports at once
//   build/native/bench/line_detection_bench --quick   # the last-tried setting only
// The goal is at most 10 s for the worst case, on one port and on four at once. The program
// runs itself again with the pty line shim preloaded, so parity reaches the simulators.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "printer/line_detection.h"
#include "support/child_process.h"

namespace {

using tarvek::DetectionOrder;
using tarvek::SerialLineSettings;
using tarvek::testing::ChildProcess;

const char* const kParities[] = {"none", "odd", "even"};

struct Sim {
    std::unique_ptr<ChildProcess> process;
    std::string path;
};

Sim StartSim(const std::string& dir, int n, const SerialLineSettings& s) {
    const std::string link = dir + "/link" + std::to_string(n);
    Sim sim;
    sim.process = std::make_unique<ChildProcess>(std::vector<std::string>{
        TARVEK_SIM_PROGRAM, "--link-file", link, "--baud", std::to_string(s.baudRate), "--parity",
        kParities[s.parityIndex], "--stop-bits", s.stopBitsIndex ? "2" : "1"});
    sim.path = tarvek::testing::WaitForLine(link);
    return sim;
}

// Seconds to detect the printers on these ports at once; negative when one is not found.
double TimeDetection(const std::vector<std::string>& ports) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<tarvek::LineDetection> results = tarvek::DetectLines(ports);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const tarvek::LineDetection& r : results) {
        if (r.outcome != tarvek::DetectionOutcome::Found) {
            return -1;
        }
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("TARVEK_PTY_LINE_DIR")) {
        char dir[] = "/tmp/tarvek-bench-XXXXXX";
        if (!mkdtemp(dir)) {
            std::perror("mkdtemp");
            return 1;
        }
        setenv("TARVEK_PTY_LINE_DIR", dir, 1);
        setenv("LD_PRELOAD", TARVEK_PTY_SHIM, 1);
        execv("/proc/self/exe", argv);
        std::perror("execv");
        return 1;
    }
    const std::string dir = std::getenv("TARVEK_PTY_LINE_DIR");
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const std::vector<SerialLineSettings>& order = DetectionOrder();
    double worst = 0;
    for (std::size_t i = quick ? order.size() - 1 : 0; i < order.size(); ++i) {
        const SerialLineSettings& s = order[i];
        const Sim sim = StartSim(dir, static_cast<int>(i), s);
        const double seconds = TimeDetection({sim.path});
        std::printf("one port   %6d %-4s %d stop  try %2zu  %6.2f s\n", s.baudRate,
                    kParities[s.parityIndex], s.stopBitsIndex + 1, i + 1, seconds);
        worst = seconds < 0 || worst < 0 ? -1 : std::max(worst, seconds);
    }
    std::vector<Sim> sims;
    std::vector<std::string> ports;
    for (int n = 0; n < 4; ++n) {
        sims.push_back(StartSim(dir, 100 + n, order.back()));
        ports.push_back(sims.back().path);
    }
    const double four = TimeDetection(ports);
    std::printf("worst case, one port:          %6.2f s\n", worst);
    std::printf("worst case, four ports at once: %6.2f s  (goal: 10 s each; negative: not found)\n",
                four);
    sims.clear();
    std::system(("rm -rf '" + dir + "'").c_str());
    return worst < 0 || four < 0 ? 1 : 0;
}
