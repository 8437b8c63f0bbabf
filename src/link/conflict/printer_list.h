// The port conflict check apart from the spooler: the spooler's printers as plain records,
// the walk that finds the one holding a port, and the check built on them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/conflict/port_conflict_check.h"

namespace tarvek {

struct PrinterRecord {
    std::string printerName;
    std::string portName;
    std::string driverName;
};

// Enumeration flags of the two variants (PRINTER_ENUM_LOCAL, | PRINTER_ENUM_CONNECTIONS).
enum : unsigned { kEnumLocal = 2, kEnumLocalAndConnections = 6 };
unsigned EnumFlags(PortConflictVariant variant);

// The spooler's list of printers.
class PrinterLister {
  public:
    virtual ~PrinterLister() = default;
    // false when the list cannot be read.
    virtual bool List(unsigned flags, std::vector<PrinterRecord>& printers) = 0;
};

// The first printer, in the spooler's order, whose port is exactly portKey; -1 for none.
int FindPortHolder(const std::vector<PrinterRecord>& printers, const std::string& portKey);

// A name as it fits a 256-byte buffer: at most 255 bytes, never ending inside a double-byte
// character of the ANSI code page (isLeadByte tells the lead bytes).
std::string CutName(const std::string& name, bool (*isLeadByte)(unsigned char));

// The check on a lister. The Wi-Fi variant's debugger line goes through DebugOutput.
std::unique_ptr<PortConflictCheck> MakePortConflictCheck(std::unique_ptr<PrinterLister> lister,
                                                         bool (*isLeadByte)(unsigned char));

}  // namespace tarvek
