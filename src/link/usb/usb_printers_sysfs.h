// The USB printers the Linux kernel lists under sys/bus/usb/devices: every interface of the
// USB printer class with what identifies its device. Read without opening anything, so it
// needs no privilege. root is where the file system starts ("/", or a test's fake tree).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

struct SysfsUsbPrinter {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int busNumber = 0;
    int deviceNumber = 0;
    int interfaceNumber = 0;
    std::string manufacturer, product, serial;  // the device's strings; empty when absent
    std::string kernelDriver;                   // "usblp" while the kernel's driver is bound
    std::string deviceId;     // IEEE 1284 device ID, which the kernel's driver publishes
    std::string printerNode;  // "/dev/usb/lp0" while the kernel's driver is bound

    // The device's node under /dev/bus/usb, which libusb opens.
    std::string UsbfsNode() const;
};

std::vector<SysfsUsbPrinter> ListSysfsUsbPrinters(const std::string& root = "/");

// The value of one key ("MFG", "MDL", "SN" ...) of an IEEE 1284 device ID ("MFG:Acme;MDL:X;").
std::string DeviceIdField(const std::string& deviceId, const std::string& key);

}  // namespace tarvek
