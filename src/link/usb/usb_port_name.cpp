#include "link/usb/usb_port_name.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace tarvek {
namespace {

bool ParseHex16(const std::string& text, std::uint16_t& value) {
    if (text.size() != 4) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    value = static_cast<std::uint16_t>(std::strtoul(text.c_str(), nullptr, 16));
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

bool ParseUsbPortName(const std::string& name, UsbPrinterSelector& selector) {
    const std::string lower = Lower(name);
    if (lower == "usb") {
        selector = UsbPrinterSelector{};
        return true;
    }
    if (lower.compare(0, 4, "usb:") != 0) {
        return false;
    }
    if (lower == "usb:any") {
        selector = UsbPrinterSelector{true};
        return true;
    }
    UsbPrinterSelector parsed;
    if (lower.size() != 13 || lower[8] != ':' || !ParseHex16(lower.substr(4, 4), parsed.vendorId) ||
        !ParseHex16(lower.substr(9, 4), parsed.productId)) {
        return false;
    }
    selector = parsed;
    return true;
}

std::string UsbPortName(std::uint16_t vendorId, std::uint16_t productId) {
    if (vendorId == kPrinterVendorId && productId == kPrinterProductId) {
        return "USB";
    }
    char name[16];
    std::snprintf(name, sizeof name, "usb:%04x:%04x", vendorId, productId);
    return name;
}

}  // namespace tarvek
