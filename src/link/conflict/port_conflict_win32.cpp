// The spooler's printers (EnumPrintersA, level 2) for the port conflict check.
#include <windows.h>
#include <winspool.h>

#include <vector>

#include "link/links.h"
#include "link/conflict/printer_list.h"

namespace tarvek {
namespace {

constexpr DWORD kFirstBufferBytes = 0x20000;

std::string Text(const char* text) {
    return text ? std::string(text) : std::string();
}

class SpoolerPrinters final : public PrinterLister {
  public:
    bool List(unsigned flags, std::vector<PrinterRecord>& printers) override {
        printers.clear();
        // A list larger than the first buffer is read whole: the spooler says how much it
        // needs, and the call is made once more with that size.
        std::vector<BYTE> buffer(kFirstBufferBytes);
        DWORD needed = 0, returned = 0;
        BOOL ok = EnumPrintersA(flags, nullptr, 2, buffer.data(), static_cast<DWORD>(buffer.size()),
                                &needed, &returned);
        if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
            buffer.resize(needed);
            ok = EnumPrintersA(flags, nullptr, 2, buffer.data(), static_cast<DWORD>(buffer.size()),
                               &needed, &returned);
        }
        if (!ok) {
            return false;
        }
        const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < returned; ++i) {
            printers.push_back({Text(records[i].pPrinterName), Text(records[i].pPortName),
                                Text(records[i].pDriverName)});
        }
        return true;
    }
};

bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace

std::unique_ptr<PortConflictCheck> MakePortConflictCheck() {
    return MakePortConflictCheck(std::make_unique<SpoolerPrinters>(), IsAnsiLeadByte);
}

}  // namespace tarvek
