// Reading everything the printer tells: its emulation, its Bluetooth address and discoverable
// mode, the line it answers on (serial transport) and, when asked, every Wi-Fi register and the
// MAC address. What it cannot report is left out, never made up.
#pragma once

#include <string>

#include "cli/session/connection.h"

namespace tarvek::cli {

struct PrinterReport {
    Settings values;  // every key the printer reported
    std::string bluetoothAddress;
    bool wifi = false;      // the module was read
    bool noModule = false;  // no module answered the switch into its ISP mode
    WifiModuleKind moduleKind = WifiModuleKind::Unknown;
    std::string mac;
};

// The port check is the caller's.
bool ReadPrinter(Connection& connection, bool wifi, PrinterReport& report, Outcome& outcome);

// The values of the line the printer answered on: it takes no other (serial transport only).
void AddLineValues(const PortRequest& request, Settings& values);

}  // namespace tarvek::cli
