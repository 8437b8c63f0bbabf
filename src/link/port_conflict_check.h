// Whether an installed printer (a printer driver's queue) is bound to the port the user is
// about to open. Such a queue would compete with the utility for the port, so the front ends
// refuse to open it and name the printer.
#pragma once

#include <string>

namespace tarvek {

// The main dialog lists local printers only; the Wi-Fi dialog also lists printer connections
// and writes a debugger line on a match.
enum class PortConflictVariant : int { MainDialog = 0, WifiDialog = 1 };

// The printer that holds the port; each name is cut to 255 bytes.
struct PortHolder {
    std::string printerName;
    std::string portName;
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
