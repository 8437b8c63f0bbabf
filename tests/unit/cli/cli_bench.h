// A simulated printer behind the program's command line, on a virtual clock: a test runs
// "tarvek-cli ..." against it and reads the printer's state afterwards.
#pragma once

#include <unistd.h>

#include <atomic>
#include <utility>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/command/cli_app.h"
#include "sim/simulated_link.h"
#include "support/virtual_clock.h"

namespace tarvek::cli::testing {

// The far end of the port: a simulated printer's link, or nothing (the port does not open);
// chunks that begin with the bytes of drop are lost on the way. opens counts the tries.
struct TestLink : SerialPrinterLink {
    using PrinterLink::Write;
    int Open(const std::string& p, int b, int pa, int d, int s, int f) override {
        ++opens;
        return target ? target->Open(p, b, pa, d, s, f) : -1;
    }
    int Write(const std::uint8_t* data, int n) override {
        const bool lost = !drop.empty() && n >= static_cast<int>(drop.size()) &&
                          std::equal(drop.begin(), drop.end(), data);
        return lost ? n : target ? target->Write(data, n) : 0;
    }
    int Read(std::uint8_t* b, int n) override { return target ? target->Read(b, n) : 0; }
    int Close() override { return target ? target->Close() : 0; }
    sim::SimulatedSerialLink* target = nullptr;
    Bytes drop;
    int opens = 0;
};

// One new link of the network's, to its one far end, which hears it at any line.
struct LinkTo : SerialPrinterLink {
    LinkTo(SerialPrinterLink& end, const SerialLineSettings& line) : far(end), farLine(line) {}
    using PrinterLink::Write;
    int Open(const std::string& p, int, int, int, int, int) override {
        const SerialLineSettings& l = farLine;
        return far.Open(p, l.baudRate, l.parityIndex, l.dataBitsIndex, l.stopBitsIndex,
                        l.flowIndex);
    }
    int Write(const std::uint8_t* data, int n) override { return far.Write(data, n); }
    int Read(std::uint8_t* b, int n) override { return far.Read(b, n); }
    int Close() override { return far.Close(); }
    SerialPrinterLink& far;
    const SerialLineSettings& farLine;
};

// An installed printer holds COM9.
struct OnePortHeld : PortConflictCheck {
    PortCheckResult Check(const std::string& port, PortConflictVariant) override {
        return port == "COM9" ? PortCheckResult{PortCheck::Held, {"Label Writer", "COM9:"}}
                              : PortCheckResult{};
    }
};

// A Bluetooth service that knows the devices of its list and pairs with the printer's PIN
// (1234 without one) any device but those out of range; pins: what pairing was given.
struct FakeBluetooth : BluetoothClient {
    std::vector<BluetoothDevice>& devices;
    std::vector<std::string>& pins;
    const std::string* printerPin = nullptr;
    std::string outOfRange;
    FakeBluetooth(std::vector<BluetoothDevice>& d, std::vector<std::string>& p)
        : devices(d), pins(p) {}
    BluetoothStatus Scan(int, std::vector<BluetoothDevice>& found) override {
        found = devices;
        return BluetoothStatus::Done;
    }
    BluetoothStatus Pair(const std::string& address, const std::string& pin, int) override {
        pins.push_back(pin);
        return address == outOfRange                                   ? BluetoothStatus::NotFound
               : pin != (printerPin != nullptr ? *printerPin : "1234") ? BluetoothStatus::Refused
                                                                       : Paired(address, true);
    }
    BluetoothStatus Unpair(const std::string& address) override { return Paired(address, false); }
    // Done when the device was paired before (or is now).
    BluetoothStatus Paired(const std::string& address, bool paired) {
        auto d = std::find_if(devices.begin(), devices.end(),
                              [&](const BluetoothDevice& x) { return x.address == address; });
        d = d != devices.end() ? d : devices.insert(d, {address, "", false, false, true});
        return std::exchange(d->paired, paired) || paired ? BluetoothStatus::Done
                                                          : BluetoothStatus::NotFound;
    }
};

struct Bench {
    Bench() {
        model.State().serial.baudRate = 19200;  // the tool's default line
        link.target = &serial;
        network.target = &serial;  // the printer on the network too, joined at any address
    }
    // Runs the program with the words of line; printer verbs get "--port COM1".
    int Run(const std::string& line) {
        std::vector<std::string> words{"tarvek-cli"};
        std::istringstream in(line);
        for (std::string w; in >> w;) {
            words.push_back(w);
        }
        const bool finds = line.rfind("detect", 0) == 0 || line.rfind("ports", 0) == 0;
        if (line.find("--port") == std::string::npos && line.find("check") == std::string::npos &&
            !finds) {
            words.insert(words.end(), {"--port", "COM1"});
        }
        std::vector<const char*> argv;
        for (const std::string& w : words) {
            argv.push_back(w.c_str());
        }
        out.str("");
        err.str("");
        const EnvLookup lookup = [this](const std::string& name, std::string& value) {
            return env.count(name) != 0 && !(value = env[name]).empty();
        };
        Platform platform{link, usb, conflicts, clock, interrupted, lookup, out, err, false, 0, [] {
                              return std::string("2024-01-01T00:00:00Z");
                          }};
        platform.finder = finder;
        platform.in = &typed;
        // A line typed every 100 ms; the end of typed ends "term".
        platform.inputWaiting = [this] {
            clock.Sleep(100);
            return true;
        };
        platform.networkLink = [this] {
            return std::unique_ptr<SerialPrinterLink>(
                std::make_unique<LinkTo>(network, model.State().serial));
        };
        if (bluetoothService) {
            platform.bluetooth = [this] {
                auto service = std::make_unique<FakeBluetooth>(devices, pins);
                service->printerPin = printerPin;
                service->outOfRange = outOfRange;
                return service;
            };
            platform.bluetoothLink = [this] {
                auto bt = std::make_unique<TestLink>();
                bt->target = &serial;
                return bt;
            };
        }
        return RunCli(static_cast<int>(argv.size()), argv.data(), platform);
    }
    // A file in a folder of the test program's own, with the text (none: no file yet).
    std::string File(const std::string& name, const std::string& text = "") {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("tarvek-cli-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::remove(dir / name);
        if (!text.empty()) {
            std::ofstream(dir / name) << text;
        }
        return (dir / name).string();
    }

    sim::PrinterModel model;
    tarvek::testing::VirtualClock clock;
    sim::SimulatedSerialLink serial{model, clock};
    sim::SimulatedUsbLink usb{model, clock};
    TestLink link;
    TestLink network;
    OnePortHeld conflicts;
    std::atomic<bool> interrupted{false};
    std::map<std::string, std::string> env;
    std::ostringstream out, err;
    std::istringstream typed;  // what "term" reads
    PortFinder finder;
    bool bluetoothService = true;
    std::vector<BluetoothDevice> devices;
    std::vector<std::string> pins;
    const std::string* printerPin = nullptr;
    std::string outOfRange;
};

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace tarvek::cli::testing
