// What Windows' own names of a serial port tell: its kind, identity and order.
#include <gtest/gtest.h>

#include "link/discovery/windows_device_ids.h"

namespace tarvek {
namespace {

TEST(WindowsDeviceIds, InstanceIdsTellKindAndIdentity) {
    const struct {
        const char* id;
        PortKind kind;
        std::uint16_t vendor, product;
        const char *address, *serial;
    } cases[] = {
        {"USB\\VID_0403&PID_6001\\A50285BI", PortKind::UsbSerialAdapter, 0x0403, 0x6001, "",
         "A50285BI"},
        {"FTDIBUS\\VID_0403+PID_6015+DN0\\0000", PortKind::UsbSerialAdapter, 0x0403, 0x6015, "",
         ""},
        {"BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\\7&2D8A6F3&0&001901A2B3C4_"
         "C00000000",
         PortKind::BluetoothSerial, 0, 0, "00:19:01:A2:B3:C4", ""},
        {"BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0000\\7&1&0&000000000000_0",
         PortKind::BluetoothSerial, 0, 0, "", ""},
        {"ACPI\\PNP0501\\1", PortKind::SerialCable, 0, 0, "", ""},
    };
    for (const auto& c : cases) {
        const WindowsDeviceFacts f = FactsFromInstanceId(c.id);
        EXPECT_EQ(f.kind, c.kind) << c.id;
        EXPECT_EQ(f.vendorId, c.vendor) << c.id;
        EXPECT_EQ(f.productId, c.product) << c.id;
        EXPECT_EQ(f.bluetoothAddress, c.address) << c.id;
        EXPECT_EQ(f.serialNumber, c.serial) << c.id;
    }
    EXPECT_EQ(KindFromSerialCommName("\\Device\\Serial0"), PortKind::SerialCable);
    EXPECT_EQ(KindFromSerialCommName("\\Device\\BthModem2"), PortKind::BluetoothSerial);
    EXPECT_EQ(KindFromSerialCommName("\\Device\\VCP0"), PortKind::Other);
    std::vector<std::string> names = {"COM10", "USB", "COM2", "COMX", "COM0"};
    std::sort(names.begin(), names.end(), ComPortBefore);
    EXPECT_EQ(names, (std::vector<std::string>{"COM0", "COM2", "COM10", "COMX", "USB"}));
    EXPECT_TRUE(ComPortBefore("COM0", "COMX"));
}

}  // namespace
}  // namespace tarvek
