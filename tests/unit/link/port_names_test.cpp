// The kind of link a port name stands for, and which Bluetooth devices offer a serial channel.
#include <gtest/gtest.h>

#include "link/bluetooth/bluetooth.h"
#include "link/port_kind.h"

namespace tarvek {
namespace {

TEST(PortKind, TheSchemeInAnyCaseSaysTheKind) {
    const std::pair<LinkKind, std::vector<const char*>> kinds[] = {
        {LinkKind::Serial, {"COM3", "/dev/ttyUSB0", "usbserial", "tcp", ""}},
        {LinkKind::Usb, {"USB", "usb:04b8:0202", "Usb:any"}},
        {LinkKind::Bluetooth, {"BT:00:19:01:2A:3B:4C", "bt:"}},
        {LinkKind::Network, {"TCP:10.0.0.5", "tcp:[::1]:515"}},
    };
    for (const auto& [kind, names] : kinds) {
        for (const char* name : names) {
            EXPECT_EQ(LinkKindOfPort(name), kind) << name;
        }
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
