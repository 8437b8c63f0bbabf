// Finding the printer: "--port auto", "detect", "ports" and the doctor's advice, over a machine
// of four ports described by a fake finder.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/output/doctor.h"
#include "cli/result/outcome.h"
#include "cli_bench.h"

namespace tarvek::cli {
namespace {

using testing::Bench;
using testing::Has;

PortInfo Port(const std::string& name, PortKind kind) {
    PortInfo port;
    port.name = name;
    port.kind = kind;
    port.transport = kind == PortKind::UsbPrinter ? TransportKind::Usb : TransportKind::Serial;
    return port;
}

// A USB adapter, a cable port this user may not open, a port a CUPS queue holds and a USB
// printer; detection finds a printer on the ports of answering, at 9600 baud.
struct Machine {
    std::vector<PortInfo> ports;
    std::vector<std::string> answering, probed;
    explicit Machine(Bench& bench) {
        ports = {Port("/dev/ttyUSB0", PortKind::UsbSerialAdapter),
                 Port("/dev/ttyS0", PortKind::SerialCable),
                 Port("/dev/ttyUSB1", PortKind::UsbSerialAdapter),
                 Port("USB", PortKind::UsbPrinter)};
        ports[1].access = PortAccess::Denied;
        ports[1].accessGroup = "dialout";
        ports[2].held = PortCheck::Held;
        ports[2].holder = {"labels", "serial:/dev/ttyUSB1", HolderKind::CupsQueue};
        bench.finder.list = [this](const std::vector<std::string>& paths) {
            std::vector<PortInfo> list;
            for (const std::string& path : paths) {
                list.push_back(Port(path, PortKind::Missing));
                for (const PortInfo& port : ports) {
                    list.back() = port.name == path ? port : list.back();
                }
            }
            list.insert(list.end(), ports.begin(), ports.end());
            return list;
        };
        bench.finder.detect = [this](const std::vector<std::string>& names, const DetectionPlan&) {
            std::vector<LineDetection> results;
            for (const std::string& name : names) {
                probed.push_back(name);
                LineDetection d{name};
                if (std::find(answering.begin(), answering.end(), name) != answering.end()) {
                    d.outcome = DetectionOutcome::Found;
                    d.line = {9600, 0, 1, 0, 0};
                    d.emulation = kEmulationEscPos;
                }
                results.push_back(d);
            }
            return results;
        };
        bench.model.State().serial.baudRate = 9600;
    }
};

TEST(PortAuto, TheOnePrinterFoundIsUsedAtItsLine) {
    Bench bench;
    Machine machine(bench);
    const struct {
        std::vector<std::string> answering;
        bool usbFree;
        int exit;
        const char* says;
    } kCases[] = {
        {{"/dev/ttyS0"}, true, kExitDone, "Found the printer on /dev/ttyS0 (--baud 9600"},
        {{"/dev/ttyUSB0", "/dev/ttyS0"}, true, kExitPort, "ports (/dev/ttyUSB0, /dev/ttyS0)"},
        {{}, true, kExitDone, "Found the printer on USB"},
        {{}, false, kExitNoAnswer, "(probed: /dev/ttyUSB0, /dev/ttyS0)"},
    };
    for (const auto& c : kCases) {
        machine.answering = c.answering;
        machine.probed.clear();
        machine.ports[3].held = c.usbFree ? PortCheck::Free : PortCheck::Held;
        EXPECT_EQ(bench.Run("show --port auto"), c.exit) << c.says << bench.err.str();
        EXPECT_TRUE(Has(bench.err.str(), c.says)) << bench.err.str();
        // The queue's port and the USB printer are never probed.
        EXPECT_EQ(machine.probed, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS0"}));
    }
}

TEST(Detect, ExitCodesAndPortsLeftAlone) {
    Bench bench;
    Machine machine(bench);
    machine.answering = {"/dev/ttyUSB0"};
    const struct {
        const char* line;
        int exit;
        const char* says;
    } kCases[] = {
        {"detect", kExitDone, "--baud 9600 --parity none --data-bits 8 --stop-bits 1"},
        {"detect --port /dev/ttyS0", kExitNoAnswer, "/dev/ttyS0: no printer answered"},
        {"detect --port /dev/ttyUSB1", kExitPort, "lpadmin -x labels"},
        {"detect --port /dev/ttyS7", kExitPort, "there is no port /dev/ttyS7"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(bench.Run(c.line), c.exit) << c.line;
        EXPECT_TRUE(Has(bench.out.str(), c.says)) << bench.out.str();
    }
    ASSERT_EQ(bench.Run("ports --json /dev/pts/4"), kExitDone);
    const auto json = nlohmann::json::parse(bench.out.str());
    EXPECT_EQ(json["ports"][0]["kind"], "missing");
    EXPECT_EQ(json["ports"][3]["holder"]["kind"], "cups-queue");
    EXPECT_EQ(json["ports"][3]["holder"]["name"], "labels");
}

TEST(Doctor, EachFailureToReachThePrinterSaysWhatToDo) {
    Bench bench;
    Machine machine(bench);
    PortInfo bluetooth = Port("/dev/rfcomm0", PortKind::BluetoothSerial);
    PortInfo usbDenied = machine.ports[3];
    usbDenied.access = PortAccess::Denied;
    const auto printer = [](PrinterFailure f, const char* port, LinkKind t) {
        return Failed(failure::Printer{f, {t, port}}, Step::Open);
    };
    const LinkKind serial = LinkKind::Serial, usb = LinkKind::Usb;
    const Outcome held =
        Failed(failure::PortHeld{"COM9", {"Label Writer", "COM9:", HolderKind::WindowsPrinter}},
               Step::Port);
    EXPECT_TRUE(
        Has(DoctorAdvice(held, bench.finder, 0), "move the installed printer \"Label Writer\""));
    EXPECT_TRUE(Has(
        DoctorAdvice(printer(PrinterFailure::OpenFailed, "/dev/ttyS0", serial), bench.finder, 0),
        "join the group dialout (sudo usermod -aG dialout $USER)"));
    EXPECT_TRUE(Has(
        DoctorAdvice(printer(PrinterFailure::OpenFailed, "usb:04b8:0202", usb), bench.finder, 0),
        "no USB printer of this kind"));
    EXPECT_TRUE(
        Has(DoctorAdvice(printer(PrinterFailure::NoAnswer, "COM1", serial), bench.finder, 0),
            "tarvek-cli detect --port COM1"));
    EXPECT_EQ(DoctorAdvice(Failed(failure::ValuesDiffer{}, Step::None), bench.finder, 0), "");
    EXPECT_TRUE(Has(PortAdvice(bluetooth, true, 0), "pair the printer first"));
    EXPECT_EQ(PortAdvice(bluetooth, false, 0), "");
    EXPECT_TRUE(Has(PortAdvice(usbDenied, true, 0), "udev rule"));
    // The advice follows the failure on stderr, and is part of the JSON document.
    EXPECT_EQ(bench.Run("show --port COM9"), kExitPort);
    EXPECT_TRUE(Has(bench.err.str(), "\ntarvek-cli: doctor: move the installed printer"));
    EXPECT_EQ(bench.Run("--json show --port COM9"), kExitPort);
    EXPECT_TRUE(Has(nlohmann::json::parse(bench.out.str())["doctor"], "Label Writer"));
}

}  // namespace
}  // namespace tarvek::cli
