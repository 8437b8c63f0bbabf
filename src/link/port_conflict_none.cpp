// Without a print spooler no printer driver holds a port.
#include "link/links.h"
#include "link/printer_list.h"

namespace tarvek {
namespace {

class NoPrinters final : public PrinterLister {
  public:
    bool List(unsigned, std::vector<PrinterRecord>& printers) override {
        printers.clear();
        return true;
    }
};

}  // namespace

std::unique_ptr<PortConflictCheck> MakePortConflictCheck() {
    return MakePortConflictCheck(std::make_unique<NoPrinters>(), nullptr);
}

}  // namespace tarvek
