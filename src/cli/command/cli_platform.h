// What tarvek-cli is given to run on: the platform's links (or simulated ones in tests), the
// port holder check, the clock, Ctrl-C, the environment, the console and the factories of the
// links it opens itself.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <istream>
#include <ostream>
#include <string>

#include "cli/settings/key_value_input.h"
#include "cli/session/port_finder.h"
#include "link/bluetooth/bluetooth.h"
#include "link/clock.h"
#include "link/conflict/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek::cli {

struct Platform {
    SerialPrinterLink& serial;
    UsbPrinterLink& usb;
    PortConflictCheck& conflictCheck;
    Clock& clock;
    const std::atomic<bool>& interrupted;
    EnvLookup env;
    std::ostream& out;
    std::ostream& err;
    bool progress = false;             // stderr is a terminal: one progress line for long steps
    int systemCodePage = 0;            // texts::kKoreanCodePage when the system speaks Korean
    std::function<std::string()> now;  // UTC time stamps for the audit
    bool liveLines = false;  // stdout is a terminal: the ports' status lines redrawn in place
    PortFinder finder{};     // "ports", "detect", "--port auto" and the doctor's advice
    // A serial link of its own for each port of a station that serves several at once.
    std::function<std::unique_ptr<SerialPrinterLink>()> makeSerial{};
    std::istream* in = nullptr;            // "term": the lines a person types
    std::function<bool()> inputWaiting{};  // something to read on in at once
    // A new link to a printer on the network ("tcp:" ports, the check that a printer joined);
    // unset: the serial link serves those names too.
    std::function<std::unique_ptr<SerialPrinterLink>()> networkLink{};
    // The Bluetooth service (nullptr: none) and a link to a paired printer ("bt:" ports).
    std::function<std::unique_ptr<BluetoothClient>()> bluetooth{};
    std::function<std::unique_ptr<SerialPrinterLink>()> bluetoothLink{};
};

}  // namespace tarvek::cli
