// The port names that stand for a USB printer. "USB" is the printer this utility was made
// for (vendor 0525, product a702), as the dialogs' port list names it; where the platform's
// link can open other printers of the USB printer class, "usb:VVVV:PPPP" (hexadecimal vendor
// and product) names one and "usb:any" takes the first printer-class interface found.
#pragma once

#include <cstdint>
#include <string>

#include "link/printer_link.h"

namespace tarvek {

inline constexpr std::uint16_t kPrinterVendorId = 0x0525;
inline constexpr std::uint16_t kPrinterProductId = 0xA702;

struct UsbPrinterSelector {
    bool anyPrinter = false;
    std::uint16_t vendorId = kPrinterVendorId;
    std::uint16_t productId = kPrinterProductId;
    bool Matches(std::uint16_t vendor, std::uint16_t product) const {
        return anyPrinter || (vendor == vendorId && product == productId);
    }
};

// True when the name is one of the forms above ("USB" in any case; "usb:" forms with four
// hexadecimal digits each), with the printer it selects.
bool ParseUsbPortName(const std::string& name, UsbPrinterSelector& selector);

// The name that selects a printer: "USB" for 0525:a702, else "usb:vvvv:pppp".
std::string UsbPortName(std::uint16_t vendorId, std::uint16_t productId);

}  // namespace tarvek
