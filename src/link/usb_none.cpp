// Without the Windows USB printing class there is no USB printer to find.
#include "link/links.h"

namespace tarvek {
namespace {

class CUsbLink final : public UsbPrinterLink {
  public:
    using PrinterLink::Write;
    int Open(const std::string&) override { return 1; }
    int Close() override { return 3; }
    int Write(const std::uint8_t*, int) override { return 0; }
    int Read(std::uint8_t*, int) override { return 0; }
};

}  // namespace

std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock&) {
    return std::make_unique<CUsbLink>();
}

}  // namespace tarvek
