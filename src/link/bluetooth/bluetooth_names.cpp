#include <cctype>

#include "link/bluetooth/bluetooth.h"
#include "link/port_kind.h"

namespace tarvek {
namespace {

constexpr char kScheme[] = "bt:";
constexpr std::size_t kSchemeLength = sizeof kScheme - 1;
constexpr std::size_t kAddressLength = 17;  // "AA:BB:CC:DD:EE:FF"

bool SameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string BluetoothPortName(const std::string& address) {
    return kScheme + address;
}

bool NormalizeBluetoothAddress(const std::string& text, std::string& address) {
    if (text.size() != kAddressLength) {
        return false;
    }
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(upper[i]);
        const bool separator = i % 3 == 2;
        if (separator ? c != ':' : !std::isxdigit(c)) {
            return false;
        }
        upper[i] = static_cast<char>(std::toupper(c));
    }
    address = upper;
    return true;
}

bool ParseBluetoothPortName(const std::string& name, std::string& address) {
    return LinkKindOfPort(name) == LinkKind::Bluetooth &&
           NormalizeBluetoothAddress(name.substr(kSchemeLength), address);
}

bool OffersSerialPort(unsigned deviceClass, const std::vector<std::string>& uuids) {
    if (((deviceClass >> 8) & 0x1Fu) == kImagingMajorClass) {
        return true;
    }
    for (const std::string& uuid : uuids) {
        if (SameLetters(uuid, kSerialPortUuid)) {
            return true;
        }
    }
    return false;
}

}  // namespace tarvek
