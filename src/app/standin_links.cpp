#include "app/standin_links.h"

namespace tarvek::app {
namespace {

class NoSerialLink final : public SerialPrinterLink {
  public:
    int Open(const std::string&, int, int, int, int, int) override { return -1; }
    int Write(const std::uint8_t*, int) override { return 0; }
    int Read(std::uint8_t*, int) override { return 0; }
    int Close() override { return 0; }
};

class NoUsbLink final : public UsbPrinterLink {
  public:
    int Open(const std::string&) override { return 1; }
    int Write(const std::uint8_t*, int) override { return 0; }
    int Read(std::uint8_t*, int) override { return 0; }
    int Close() override { return 3; }
};

class NoPortConflict final : public PortConflictCheck {
  public:
    bool Check(const std::string&, PortConflictVariant, PortHolder& holder,
               ui::DialogHost&) override {
        holder = PortHolder{};
        return false;
    }
};

}  // namespace

std::unique_ptr<SerialPrinterLink> MakeStandInSerialLink(Clock&) {
    return std::make_unique<NoSerialLink>();
}
std::unique_ptr<UsbPrinterLink> MakeStandInUsbLink(Clock&) {
    return std::make_unique<NoUsbLink>();
}
std::unique_ptr<PortConflictCheck> MakeStandInPortConflictCheck() {
    return std::make_unique<NoPortConflict>();
}

}  // namespace tarvek::app
