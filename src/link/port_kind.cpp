#include "link/port_kind.h"

#include <cctype>

#include "link/bluetooth/bluetooth.h"
#include "link/network/tcp_link.h"
#include "link/usb/usb_port_name.h"

namespace tarvek {
namespace {

bool StartsWithLetters(const std::string& name, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= name.size() || std::tolower(static_cast<unsigned char>(name[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

LinkKind LinkKindOfPort(const std::string& portName) {
    if (StartsWithLetters(portName, "tcp:")) {
        return LinkKind::Network;
    }
    if (StartsWithLetters(portName, "bt:")) {
        return LinkKind::Bluetooth;
    }
    if (StartsWithLetters(portName, "usb:") ||
        (portName.size() == 3 && StartsWithLetters(portName, "usb"))) {
        return LinkKind::Usb;
    }
    return LinkKind::Serial;
}

bool CanonicalPortName(const std::string& given, std::string& name, LinkKind& kind) {
    static const std::string kDevicePrefix = "\\\\.\\";
    const std::string bare = given.compare(0, kDevicePrefix.size(), kDevicePrefix) == 0
                                 ? given.substr(kDevicePrefix.size())
                                 : given;
    kind = LinkKindOfPort(bare);
    std::string upper = bare;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::string address;
    TcpAddress network;
    UsbPrinterSelector usb;
    switch (kind) {
        case LinkKind::Bluetooth:
            if (!ParseBluetoothPortName(bare, address)) {
                return false;
            }
            name = BluetoothPortName(address);
            return true;
        case LinkKind::Network:
            if (!ParseTcpPortName(bare, network)) {
                return false;
            }
            name = TcpPortName(network);
            return true;
        case LinkKind::Usb:
            if (!ParseUsbPortName(bare, usb)) {
                return false;
            }
            name = upper == "USB" ? upper : bare;
            return true;
        case LinkKind::Serial:
            break;
    }
    const bool comPort = upper.size() > 3 && upper.compare(0, 3, "COM") == 0 &&
                         upper.find_first_not_of("0123456789", 3) == std::string::npos;
    name = comPort ? upper : bare;
    return !bare.empty();
}

TransportKind TransportFor(LinkKind kind) {
    return kind == LinkKind::Usb ? TransportKind::Usb : TransportKind::Serial;
}

}  // namespace tarvek
