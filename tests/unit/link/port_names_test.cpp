// The kind of link a port name stands for, and which Bluetooth devices offer a serial channel.
#include <gtest/gtest.h>

#include "link/bluetooth/bluetooth.h"
#include "link/port_kind.h"

namespace tarvek {
namespace {

TEST(PortKind, TheSchemeInAnyCaseSaysTheKind) {
    const struct {
        const char* name;
        LinkKind kind;
    } cases[] = {
        {"COM3", LinkKind::Serial},
        {"/dev/ttyUSB0", LinkKind::Serial},
        {"usbserial", LinkKind::Serial},
        {"tcp", LinkKind::Serial},
        {"USB", LinkKind::Usb},
        {"usb:04b8:0202", LinkKind::Usb},
        {"Usb:any", LinkKind::Usb},
        {"BT:00:19:01:2A:3B:4C", LinkKind::Bluetooth},
        {"bt:", LinkKind::Bluetooth},
        {"TCP:10.0.0.5", LinkKind::Network},
        {"tcp:[::1]:515", LinkKind::Network},
        {"", LinkKind::Serial},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkKindOfPort(c.name), c.kind) << c.name;
    }
    EXPECT_EQ(TransportFor(LinkKind::Usb), TransportKind::Usb);
    EXPECT_EQ(TransportFor(LinkKind::Network), TransportKind::Serial);
}

TEST(BluetoothNames, SerialPortByProfileOrImagingClass) {
    const std::string spp = "00001101-0000-1000-8000-00805F9B34FB";
    const struct {
        unsigned deviceClass;
        std::vector<std::string> uuids;
        bool serial;
    } cases[] = {
        {0x040680, {}, true},                                         // a printer
        {0x002600, {}, true},                                         // imaging, service bit 13
        {0x5A020C, {"0000110a-0000-1000-8000-00805f9b34fb"}, false},  // a phone
        {0x000500, {}, false},
        {0x000700, {}, false},
        {0, {"0000110a-0000-1000-8000-00805f9b34fb", spp}, true},
        {0, {spp.substr(1)}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OffersSerialPort(c.deviceClass, c.uuids), c.serial) << std::hex << c.deviceClass;
    }
}

}  // namespace
}  // namespace tarvek
