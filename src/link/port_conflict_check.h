// Whether an installed Windows printer (a printer driver's queue) is bound to the port the user
// is about to open. Such a queue would compete with the utility for the port, so the dialogs
// refuse to open it and name the printer.
#pragma once

#include <string>

namespace tarvek {
namespace ui {
class DialogHost;
}

// The main dialog lists local printers only; the Wi-Fi dialog also lists printer connections
// and writes a debugger line on a match.
enum class PortConflictVariant : int { MainDialog = 0, WifiDialog = 1 };

// The printer that holds the port; each name is cut to 255 characters.
struct PortHolder {
    std::string printerName;
    std::string portName;
};

class PortConflictCheck {
  public:
    virtual ~PortConflictCheck() = default;
    // True when a printer's port is exactly "<portText>:" (whole string, case-sensitive); holder
    // then names it (it is cleared at the start of every check). When the printer list cannot be
    // read, shows "EnumPrinters() failed" through owner and answers false.
    virtual bool Check(const std::string& portText, PortConflictVariant variant, PortHolder& holder,
                       ui::DialogHost& owner) = 0;
};

}  // namespace tarvek
