#include "link/discovery/windows_device_ids.h"

#include <cctype>
#include <cstdlib>

namespace tarvek {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// The four hexadecimal digits after a key such as "VID_"; false when they are not there.
bool HexAfter(const std::string& text, const std::string& key, std::uint16_t& value) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos || at + key.size() + 4 > text.size()) {
        return false;
    }
    const std::string digits = text.substr(at + key.size(), 4);
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    value = static_cast<std::uint16_t>(std::strtoul(digits.c_str(), nullptr, 16));
    return true;
}

// "001901A2B3C4" as "00:19:01:A2:B3:C4"; empty for anything else and for all zeros (a port
// that waits for any device to connect).
std::string BluetoothAddress(const std::string& digits) {
    if (digits.size() != 12 || digits == "000000000000") {
        return "";
    }
    std::string address;
    for (std::size_t i = 0; i < 12; i += 2) {
        if (!std::isxdigit(static_cast<unsigned char>(digits[i])) ||
            !std::isxdigit(static_cast<unsigned char>(digits[i + 1]))) {
            return "";
        }
        address += (i ? ":" : "") + digits.substr(i, 2);
    }
    return address;
}

int ComNumber(const std::string& name) {
    const std::string upper = Upper(name);
    if (upper.compare(0, 3, "COM") != 0 || upper.size() == 3) {
        return -1;
    }
    for (std::size_t i = 3; i < upper.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(upper[i]))) {
            return -1;
        }
    }
    return std::atoi(upper.c_str() + 3);
}

}  // namespace

WindowsDeviceFacts FactsFromInstanceId(const std::string& instanceId) {
    const std::string id = Upper(instanceId);
    WindowsDeviceFacts facts;
    const std::size_t last = id.rfind('\\');
    const std::string tail = last == std::string::npos ? "" : id.substr(last + 1);
    if (id.compare(0, 8, "BTHENUM\\") == 0) {
        facts.kind = PortKind::BluetoothSerial;
        const std::size_t amp = tail.rfind('&');
        const std::string device = amp == std::string::npos ? "" : tail.substr(amp + 1);
        facts.bluetoothAddress = BluetoothAddress(device.substr(0, device.find('_')));
        return facts;
    }
    if (HexAfter(id, "VID_", facts.vendorId) && HexAfter(id, "PID_", facts.productId)) {
        facts.kind = PortKind::UsbSerialAdapter;
        // A device with a serial number is listed under it; others get a made-up "5&..." key.
        const std::size_t first = id.find('\\');
        if (id.compare(0, 4, "USB\\") == 0 && first != last &&
            tail.find('&') == std::string::npos) {
            facts.serialNumber = instanceId.substr(last + 1);
        }
    }
    return facts;
}

PortKind KindFromSerialCommName(const std::string& valueName) {
    const std::string name = Upper(valueName);
    if (name.find("BTHMODEM") != std::string::npos) {
        return PortKind::BluetoothSerial;
    }
    if (name.compare(0, 14, "\\DEVICE\\SERIAL") == 0) {
        return PortKind::SerialCable;
    }
    return PortKind::Other;
}

bool ComPortBefore(const std::string& a, const std::string& b) {
    const int na = ComNumber(a), nb = ComNumber(b);
    if ((na < 0) != (nb < 0)) {
        return na >= 0;
    }
    return na != nb ? na < nb : a < b;
}

}  // namespace tarvek
