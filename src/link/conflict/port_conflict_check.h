// Whether an installed printer (a printer driver's queue) is bound to the port the user is
// about to open. Such a queue would compete with the utility for the port, so the front ends
// refuse to open it and name the printer.
#pragma once

#include <string>

namespace tarvek {

// The main dialog lists local printers only; the Wi-Fi dialog also lists printer connections
// and writes a debugger line on a match.
enum class PortConflictVariant : int { MainDialog = 0, WifiDialog = 1 };

// Who holds a port: an installed Windows printer, a CUPS queue, or (found by port discovery
// only) another process that has the device open.
enum class HolderKind : int { WindowsPrinter = 0, CupsQueue = 1, Process = 2 };

// The holder; each name is cut to 255 bytes.
//  - WindowsPrinter: printerName the printer, portName its port ("COM1:").
//  - CupsQueue: printerName the queue, portName its device URI ("serial:/dev/ttyUSB0?baud=9600").
//  - Process: printerName the process's command name, portName the device it has open.
struct PortHolder {
    std::string printerName;
    std::string portName;
    HolderKind kind = HolderKind::WindowsPrinter;
    int processId = 0;  // Process only
};

enum class PortCheck : int {
    Free = 0,            // no printer uses the port
    Held = 1,            // holder names the printer that does
    ListUnreadable = 2,  // the printer list could not be read; callers go on as if free
};

struct PortCheckResult {
    PortCheck state = PortCheck::Free;
    PortHolder holder;  // set only when Held
};

class PortConflictCheck {
  public:
    virtual ~PortConflictCheck() = default;
    // Held when a printer's port is exactly "<portText>:" (whole string, case-sensitive; the
    // first such printer in the list's order).
    virtual PortCheckResult Check(const std::string& portText, PortConflictVariant variant) = 0;
};

}  // namespace tarvek
