// The Bluetooth verbs and "bt:" ports over a fake Bluetooth service: exit codes, sentences,
// advice, the PIN kept out of every output; paired printers among the machine's ports.
#include <gtest/gtest.h>

#include "cli/result/exit_codes.h"
#include "cli/session/bluetooth_ports.h"
#include "cli_bench.h"

namespace tarvek::cli {
namespace {

using testing::Bench;
using testing::Has;

// A paired printer (…:01), an unpaired one (…:02) and a paired phone (…:03).
std::vector<BluetoothDevice> Devices() {
    return {{"00:00:00:00:00:01", "Label Printer", true, true, true},
            {"00:00:00:00:00:02", "Label Printer", false, false, true},
            {"00:00:00:00:00:03", "Phone", true, true, false}};
}

TEST(Bluetooth, VerbsAndPortsGiveTheirExitCodeAndSay) {
    const struct {
        const char* args;
        const char* pin;  // TARVEK_BT_PIN, nullptr: unset
        int exit;
        const char* said;  // on stdout or stderr
    } cases[] = {
        {"--json bluetooth scan", nullptr, kExitDone,
         R"("address":"00:00:00:00:00:03","name":"Phone","paired":true,"trusted":true,"serial":false)"},
        {"bluetooth scan", nullptr, kExitDone, "00:00:00:00:00:02  Label Printer  (not paired, "},
        {"show --port BT:00:00:00:00:00:01", nullptr, kExitDone, "Printer on bt:00:00:00:00:00:01"},
        {"show --port bt:00:00:00:00:00:02", nullptr, kExitPort,
         "doctor: pair it first: tarvek-cli bluetooth pair 00:00:00:00:00:02"},
        {"show --port bt:00:00:00:00:00:09", nullptr, kExitPort, "00:00:00:00:00:09 is not paired"},
        {"show --port bt:00:00:00:00:00:03", nullptr, kExitPort,
         "00:00:00:00:00:03 offers no serial port"},
        {"show --port bt:00:00:00:00:0:01", nullptr, kExitBadInput, "--port"},
        {"show --port bt:00:00:00-00:00:01", nullptr, kExitBadInput, "--port"},
        {"bluetooth pair 00:00:00:00:00:02", nullptr, kExitBadInput, "TARVEK_BT_PIN is not set"},
        {"bluetooth pair 00:00:00:00:00:02", "4321", kExitRefused,
         "doctor: check the printer's PIN in TARVEK_BT_PIN"},
        {"--json bluetooth pair 00:00:00:00:00:0a", "1234", kExitDone,
         R"("address":"00:00:00:00:00:0A","paired":true)"},
        {"bluetooth pair 00:00:00:00:00:0g", "1234", kExitBadInput, "ADDRESS"},
        {"bluetooth unpair 00:00:00:00:00:02", nullptr, kExitPort, "not in range or not known"},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.devices = Devices();
        if (c.pin != nullptr) {
            bench.env["TARVEK_BT_PIN"] = c.pin;
        }
        EXPECT_EQ(bench.Run(c.args), c.exit) << c.args;
        const std::string said = bench.out.str() + bench.err.str();
        EXPECT_TRUE(Has(said, c.said)) << c.args << ": " << said;
        EXPECT_FALSE(c.pin != nullptr && Has(said, c.pin)) << c.args;
        // A PIN reaches the service only from its variable and for a valid address.
        EXPECT_EQ(bench.pins.size(), c.pin != nullptr && c.exit != kExitBadInput ? 1u : 0u);
    }
    Bench none;
    none.bluetoothService = false;
    EXPECT_EQ(none.Run("bluetooth scan"), kExitPort);
    EXPECT_TRUE(Has(none.err.str(), "doctor: switch Bluetooth on: on Windows")) << none.err.str();
}

// The cable-free station, one printer (PIN 0000): rows …:02 (new PIN 5555), …:09 out of range.
TEST(Bluetooth, CableFreeStationPairsAppliesThePinLastAndPairsAgain) {
    const char* rows =
        "bluetooth.address,bluetooth.pin\n00:00:00:00:00:02,5555\n00:00:00:00:00:09,\n";
    const struct {
        const char* options;
        const char* units;
        int silentAfter;  // the printer answers that many commands (-1: all)
        int exit;
        const char* pinAfter;
        std::vector<std::string> pins;  // given to pairing
        bool pairedAfter;
        const char* said;
    } cases[] = {
        {"--each", rows, -1, kExitRefused, "5555", {"0000", "5555", "0000"}, true, "lines 3."},
        {"--each --unpair-after",
         rows,
         -1,
         kExitRefused,
         "5555",
         {"0000", "0000"},
         false,
         "1 printer done, 1 failed.\nNot provisioned: the units file's rows on lines 3."},
        {"--each", rows, 3, kExitRefused, "0000", {"0000", "0000"}, true, "lines 2, 3."},
        {"--each",
         "bluetooth.pin\n5555\n",
         -1,
         kExitBadInput,
         "0000",
         {},
         false,
         "a bluetooth.address column"},
        {"", rows, -1, kExitBadInput, "0000", {}, false, "--port bt:units: the station (--each)"},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.devices = Devices();
        bench.printerPin = &bench.model.State().bluetoothPin;
        bench.outOfRange = "00:00:00:00:00:09";
        bench.env["TARVEK_BT_PIN"] = "0000";
        bench.model.FaultSettings().silentAfterCommands = c.silentAfter;
        const std::string profile =
            bench.File("p.json", R"({"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}})");
        EXPECT_EQ(bench.Run("apply " + profile + " --port bt:units --units " +
                            bench.File("u.csv", c.units) + " " + c.options),
                  c.exit)
            << c.options;
        const std::string said = bench.out.str() + bench.err.str();
        EXPECT_TRUE(Has(said, c.said)) << c.options << ": " << said;
        EXPECT_FALSE(Has(said, "5555")) << c.options;
        EXPECT_EQ(bench.model.State().bluetoothPin, c.pinAfter) << c.options;
        EXPECT_EQ(bench.pins, c.pins) << c.options;
        EXPECT_EQ(bench.devices[1].paired, c.pairedAfter) << c.options;
    }
}

TEST(Bluetooth, PairedPrintersAreAmongThePortsAndProbedOneAtATime) {
    std::vector<BluetoothDevice> devices = Devices();
    std::vector<std::string> pins;
    PortFinder machine;  // the named paths, then /dev/ttyS0 and …:01's COM7; detection: port@n
    machine.list = [](std::vector<std::string> paths) {
        paths.insert(paths.end(), {"/dev/ttyS0", "COM7"});
        std::vector<PortInfo> ports(paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            ports[i].name = paths[i];
        }
        ports.back().bluetoothAddress = "00:00:00:00:00:01";
        return ports;
    };
    machine.detect = [](const std::vector<std::string>& ports, const DetectionPlan& plan) {
        std::vector<LineDetection> found;
        for (const std::string& port : ports) {
            found.emplace_back().port = port + "@" + std::to_string(plan.maxParallel);
        }
        return found;
    };
    const PortFinder finder = WithBluetoothPorts(
        machine, [&] { return std::make_unique<testing::FakeBluetooth>(devices, pins); },
        machine.detect);
    const auto names = [&finder](const std::vector<std::string>& paths) {
        std::vector<std::string> listed;
        for (const PortInfo& port : finder.list(paths)) {
            listed.push_back(port.name + (port.kind == PortKind::Missing ? " missing" : "") +
                             (port.aliases.empty() ? "" : " also " + port.aliases[0]));
        }
        return listed;
    };
    EXPECT_EQ(names({"bt:00:00:00:00:00:02", "/dev/x", "bt:00:00:00:00:00:01"}),
              (std::vector<std::string>{"bt:00:00:00:00:00:02 missing", "/dev/x",
                                        "bt:00:00:00:00:00:01 also COM7", "/dev/ttyS0", "COM7"}));
    EXPECT_EQ(names({}),
              (std::vector<std::string>{"/dev/ttyS0", "COM7", "bt:00:00:00:00:00:01 also COM7"}));
    DetectionPlan plan;
    plan.maxParallel = 4;
    std::vector<std::string> order;
    for (const LineDetection& d : finder.detect({"bt:A", "/dev/x", "bt:B", "/dev/y"}, plan)) {
        order.push_back(d.port);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"bt:A@1", "/dev/x@4", "bt:B@1", "/dev/y@4"}));
}

}  // namespace
}  // namespace tarvek::cli
