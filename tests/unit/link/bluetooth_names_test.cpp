// Which Bluetooth devices offer a serial channel.
#include <gtest/gtest.h>

#include "link/bluetooth.h"

namespace tarvek {
namespace {

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
