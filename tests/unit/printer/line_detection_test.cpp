// Line detection against the simulated printer on virtual time: every one of the 48 settings,
// on a link that changes its settings in place and on one opened again for each.
#include "printer/line_detection.h"

#include <gtest/gtest.h>

#include "sim/simulated_link.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

// The simulated port, able to change its line in place as the POSIX port is.
struct InPlaceLink : sim::SimulatedSerialLink {
    using SimulatedSerialLink::SimulatedSerialLink;
    int Reconfigure(const SerialLineSettings& line) override {
        Model().SetHostLine(line);
        return 0;
    }
};

struct Probe {
    LineDetection result;
    std::size_t queries = 0, preambles = 0, others = 0;  // what was written
    std::uint32_t elapsedMs = 0;
};

// Opened again for each setting, and exclusive as a Windows port is: no second open.
struct ReopenedLink : sim::SimulatedSerialLink {
    using SimulatedSerialLink::SimulatedSerialLink;
    int Open(const std::string& port, int baud, int parity, int bits, int stop, int flow) override {
        return IsOpen() ? -1 : SimulatedSerialLink::Open(port, baud, parity, bits, stop, flow);
    }
};

Probe Detect(sim::PrinterModel& model, bool inPlace, const char* openable = "",
             bool cancelled = false) {
    testing::VirtualClock clock;
    InPlaceLink inPlaceLink(model, clock, openable);
    ReopenedLink reopened(model, clock, openable);
    sim::SimulatedSerialLink& link =
        inPlace ? static_cast<sim::SimulatedSerialLink&>(inPlaceLink) : reopened;
    const std::atomic<bool> cancel{cancelled};
    Probe run{DetectLine(link, clock, "COM1", &cancel)};
    run.elapsedMs = clock.NowMs() - 1000;
    for (const auto& chunk : link.Writes()) {
        run.queries += chunk.bytes == Bytes({0x1C, 'E', 'C'});
        run.preambles += chunk.bytes == Bytes({0, 0});
    }
    run.others = link.Writes().size() - run.queries - run.preambles;
    EXPECT_FALSE(link.IsOpen());
    return run;
}

TEST(LineDetection, FindsThePrinterAtEverySettingInOrder) {
    const std::vector<SerialLineSettings>& order = DetectionOrder();
    ASSERT_EQ(order.size(), 48u);
    EXPECT_EQ(order[0].baudRate + order[1].baudRate, 19200 + 9600);
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (const bool inPlace : {true, false}) {
            sim::PrinterState state = sim::DefaultPrinterState();
            state.serial = order[i];
            state.emulation = i % 2 ? sim::kEmulationCpcl : sim::kEmulationEscPos;
            sim::PrinterModel model(state);
            const Probe run = Detect(model, inPlace);
            SCOPED_TRACE(::testing::Message() << "setting " << i << (inPlace ? " in place" : ""));
            EXPECT_EQ(run.result.outcome, DetectionOutcome::Found);
            const SerialLineSettings& line = run.result.line;
            EXPECT_EQ(line.baudRate, order[i].baudRate);
            EXPECT_EQ(line.parityIndex, order[i].parityIndex);
            EXPECT_EQ(line.dataBitsIndex, kDataBits8);
            EXPECT_EQ(line.stopBitsIndex, order[i].stopBitsIndex);
            EXPECT_EQ(run.result.emulation, state.emulation);
            EXPECT_EQ(run.result.settingsTried, static_cast<int>(i) + 1);
            EXPECT_EQ(run.queries, i + 2);  // one per setting, and the confirmation
            EXPECT_EQ(run.preambles, inPlace ? 1 : i + 1);
            EXPECT_EQ(run.others, 0u);
        }
    }
}

TEST(LineDetection, SilenceStrayCodesRefusedPortsAndCancelAreReported) {
    const struct {
        const char* name;
        int silentAfter;  // commands answered (-1: all, 0: none)
        bool garbage;
        const char* openable;  // the one port name the link opens
        bool cancel;
        DetectionOutcome outcome;
        int tried;
    } cases[] = {
        {"silent", 0, false, "", false, DetectionOutcome::NoAnswer, 48},
        {"one answer only", 1, false, "", false, DetectionOutcome::NoAnswer, 48},
        {"garbage", -1, true, "", false, DetectionOutcome::NoAnswer, 48},
        {"no such port", -1, false, "COM7", false, DetectionOutcome::OpenFailed, 1},
        {"cancelled", -1, false, "", true, DetectionOutcome::Cancelled, 0},
    };
    for (const auto& c : cases) {
        sim::Faults faults;
        faults.silentAfterCommands = c.silentAfter;
        faults.garbage = c.garbage;
        sim::PrinterModel model(sim::DefaultPrinterState(), faults);
        const Probe run = Detect(model, true, c.openable, c.cancel);
        EXPECT_EQ(run.result.outcome, c.outcome) << c.name;
        EXPECT_EQ(run.result.settingsTried, c.tried) << c.name;
        if (c.silentAfter == 0) {  // one preamble, then a 100 ms window per setting
            EXPECT_EQ(run.elapsedMs, 350u + 48u * 100u);
        }
    }
}

}  // namespace
}  // namespace tarvek
