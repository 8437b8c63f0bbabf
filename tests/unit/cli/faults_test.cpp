// The printer dying after any byte, Ctrl-C at any moment, and the station loop.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <csignal>

#include "cli/result/outcome.h"
#include "cli/platform/platform.h"
#include "cli_bench.h"

namespace tarvek::cli {
namespace {

using testing::Bench;
using testing::Has;

const std::string kApply =
    "set bluetooth.pin=1234 power-save=power-off power-save.minutes=5 wifi.ssid=new-net "
    "wifi.ip=10.1.2.3 wifi.encryption=wpa wifi.wpa.auth=wpa2-psk wifi.passphrase=passphrase1";

// The module left ISP mode: the last ISP-mode switch sent (if any was) is the one that leaves.
bool LeftIspMode(const sim::SimulatedSerialLink& link) {
    Bytes last = BuildIspModeSwitch(false);
    for (const auto& chunk : link.Writes()) {
        if (chunk.bytes == BuildIspModeSwitch(true) || chunk.bytes == BuildIspModeSwitch(false)) {
            last = chunk.bytes;
        }
    }
    return last == BuildIspModeSwitch(false);
}

TEST(FaultInjection, APrinterDeadAfterAnyByteLeavesTheFlashOldOrNew) {
    Bench clean;
    ASSERT_EQ(clean.Run(kApply), kExitDone) << clean.err.str();
    const long long total = clean.model.HostByteCount();
    const sim::RegisterFile before = sim::DefaultRegisters();
    const sim::RegisterFile after = clean.model.State().flash;
    ASSERT_NE(before, after);
    for (long long n = 0; n < total; ++n) {
        Bench bench;
        bench.model.FaultSettings().stopAfterHostByte = n;
        const int exit = bench.Run(kApply);
        // Only the last bytes, the switch out of ISP mode, get no answer to miss.
        const long long lastCommand =
            total - static_cast<long long>(BuildIspModeSwitch(false).size());
        if (n >= lastCommand) {
            ASSERT_EQ(exit, kExitDone) << n;
            continue;
        }
        ASSERT_TRUE(exit == kExitNoAnswer || exit == kExitRefused) << n << " exit " << exit;
        ASSERT_TRUE(Has(bench.err.str(), "(step: ")) << n << bench.err.str();
        const sim::RegisterFile& flash = bench.model.State().flash;
        ASSERT_TRUE(flash == before || flash == after) << "a mix after byte " << n;
        ASSERT_TRUE(LeftIspMode(bench.serial)) << n;
    }
}

TEST(Interrupt, CtrlCAtAnyMomentEndsCleanly) {
    Bench clean;
    const std::uint32_t cleanStart = clean.clock.NowMs();
    ASSERT_EQ(clean.Run(kApply), kExitDone);
    // Until the last question of the read-back (the MAC address) a press is in time to stop it.
    std::uint32_t lastQuestion = 0;
    for (const auto& chunk : clean.serial.Writes()) {
        if (chunk.bytes == BuildCommandFrame(BuildReadCommand(kMacQueryIndex))) {
            lastQuestion = chunk.atMs - cleanStart;
        }
    }
    for (std::uint32_t at = 0; at < lastQuestion; at += 700) {
        Bench bench;
        const std::uint32_t start = bench.clock.NowMs();
        std::uint32_t pressedAt = 0;
        bench.clock.SetOnAdvance([&](std::uint32_t now) {
            if (now - start >= at && !bench.interrupted) {
                bench.interrupted = true;
                pressedAt = now;
            }
        });
        ASSERT_EQ(bench.Run(kApply), kExitInterrupted) << at;
        const sim::PrinterState& s = bench.model.State();
        ASSERT_TRUE(s.flash == sim::DefaultRegisters() || s.flash == clean.model.State().flash)
            << at;
        EXPECT_FALSE(s.ispMode) << at;
        // After Ctrl-C only the way out of ISP mode goes out (with the link's idle preamble).
        for (const auto& chunk : bench.serial.Writes()) {
            if (chunk.atMs > pressedAt && chunk.bytes != Bytes{0, 0}) {
                EXPECT_EQ(chunk.bytes, BuildIspModeSwitch(false)) << at;
            }
        }
        EXPECT_TRUE(Has(bench.err.str(), "Interrupted."));
    }
}

TEST(Station, EachPrinterGetsItsUnitRowAndOneAuditRecord) {
    Bench bench;
    sim::PrinterModel second, third;
    sim::SimulatedSerialLink secondLink(second, bench.clock), thirdLink(third, bench.clock);
    sim::SimulatedSerialLink* next[] = {&secondLink, &thirdLink};
    sim::PrinterModel* models[] = {&bench.model, &second, &third};
    for (int unit : {2, 3}) {
        sim::PrinterState& s = models[unit - 1]->State();
        s.bluetoothAddress = "00:19:01:00:00:0" + std::to_string(unit);
        s.serial.baudRate = 19200;
    }
    // The technician takes each printer away 2 s after its line, connects the next 3 s later.
    std::size_t asked = 0;
    std::uint32_t awayAt = 0, connectAt = 0;
    bench.clock.SetOnAdvance([&](std::uint32_t now) {
        const std::string out = bench.out.str();
        if (static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) > asked) {
            awayAt = now + 2000;
            connectAt = now + 5000;
            ++asked;
        }
        if (awayAt != 0 && now >= awayAt) {
            bench.link.target = nullptr;
            awayAt = 0;
        }
        if (connectAt != 0 && now >= connectAt) {
            bench.link.target = next[asked - 1];
            connectAt = 0;
        }
    });
    const std::string units =
        bench.File("units.csv",
                   "bluetooth.address,bluetooth.pin,wifi.ip\n00:19:01:00:00:03,3333,10.0.0.3\n"
                   "00:19:01:2A:3B:4C,1111,10.0.0.1\n00:19:01:00:00:02,2222,10.0.0.2\n");
    const std::string audit = bench.File("audit.jsonl");
    const std::string profile =
        bench.File("p.json", R"({"tarvek-profile": 1, "wifi": {"ssid": "l4"}})");
    ASSERT_EQ(bench.Run("--json apply --each --label " + profile + " --units " + units +
                        " --audit " + audit),
              kExitDone)
        << bench.out.str() << bench.err.str();
    std::ifstream in(audit);
    std::istringstream json(bench.out.str());  // a line per printer as audited, then the summary
    std::string line, printed;
    for (int unit = 1; unit <= 3; ++unit) {  // the records' fields: the three-port station's
        const sim::PrinterState& s = models[unit - 1]->State();
        EXPECT_EQ(s.bluetoothPin, std::string(4, static_cast<char>('0' + unit)));
        EXPECT_EQ(s.flash[0],
                  sim::MakeRegisterImage(0, {10, 0, 0, static_cast<std::uint8_t>(unit)}));
        ASSERT_TRUE(std::getline(in, line) && std::getline(json, printed)) << unit;
        EXPECT_EQ(printed, line);
        EXPECT_EQ(nlohmann::json::parse(line)["bluetooth.address"], s.bluetoothAddress);
        ASSERT_FALSE(s.pages.empty()) << unit;
        const std::string label(s.pages[0].bytes.begin(), s.pages[0].bytes.end());
        EXPECT_TRUE(Has(label, "IP address: 10.0.0." + std::to_string(unit) + "\n")) << label;
        EXPECT_TRUE(Has(label, "Profile: p.json\n"));
    }
    EXPECT_FALSE(std::getline(in, line));
    ASSERT_TRUE(std::getline(json, printed));
    EXPECT_EQ(nlohmann::json::parse(printed),
              nlohmann::json::parse(R"({"done": 3, "failed": 0, "exit": 0, "undone_lines": []})"));
}

// Every wait ends: no printer in time (its row undone), Ctrl-C, a printer the units file has no
// row for.
TEST(Station, EndsBoundedWithTheRightExitCode) {
    const struct {
        bool printer, pressCtrlC;
        int exit;
        const char* said;
    } cases[] = {
        {false, false, kExitRefused, "Not provisioned: the units file's rows on lines 2."},
        {false, true, kExitInterrupted, "Interrupted."},
        {true, false, kExitRefused, "The units file has no row for the printer 00:19:01:2A:3B:4C"},
    };  // the printer without a row is taken away when asked for the next
    for (const auto& c : cases) {
        Bench bench;
        bench.link.target = c.printer ? &bench.serial : nullptr;
        bench.clock.SetOnAdvance([&](std::uint32_t now) {
            bench.interrupted = c.pressCtrlC && now > 4000;
            if (Has(bench.out.str(), "connect the next")) {
                bench.link.target = nullptr;
            }
        });
        const std::string profile = bench.File("p.json", R"({"tarvek-profile": 1})");
        const std::string units = bench.File("u.csv", "bluetooth.address,bluetooth.pin\nAA,1234\n");
        EXPECT_EQ(bench.Run("apply --each --wait 10 " + profile + " --units " + units), c.exit);
        EXPECT_TRUE(Has(bench.out.str(), c.said)) << bench.out.str();
        EXPECT_TRUE(Has(bench.out.str(), c.pressCtrlC ? "" : "No printer answered within 10 s."))
            << bench.out.str();
        EXPECT_LT(bench.clock.NowMs(), 30000u);
    }
}

#ifndef _WIN32
TEST(Interrupt, SigintSetsTheFlag) {
    InstallInterruptHandlers();
    std::raise(SIGINT);
    EXPECT_TRUE(InterruptFlag().exchange(false));
}
#endif

}  // namespace
}  // namespace tarvek::cli
