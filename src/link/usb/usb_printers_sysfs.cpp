#include "link/usb/usb_printers_sysfs.h"

#include <cstdio>
#include <cstdlib>

#include "link/file_tree.h"

namespace tarvek {
namespace {

constexpr int kPrinterClass = 7;

long Number(const std::string& path, int base) {
    const std::string text = ReadFirstLine(path);
    return text.empty() ? -1 : std::strtol(text.c_str(), nullptr, base);
}

}  // namespace

std::string DeviceIdField(const std::string& deviceId, const std::string& key) {
    std::size_t start = 0;
    while (start < deviceId.size()) {
        std::size_t end = deviceId.find(';', start);
        if (end == std::string::npos) {
            end = deviceId.size();
        }
        const std::size_t colon = deviceId.find(':', start);
        if (colon < end && deviceId.compare(start, colon - start, key) == 0) {
            return deviceId.substr(colon + 1, end - colon - 1);
        }
        start = end + 1;
    }
    return "";
}

std::string SysfsUsbPrinter::UsbfsNode() const {
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", busNumber, deviceNumber);
    return node;
}

std::vector<SysfsUsbPrinter> ListSysfsUsbPrinters(const std::string& root) {
    const std::string devices = root + "sys/bus/usb/devices/";
    std::vector<SysfsUsbPrinter> printers;
    for (const std::string& name : ListDirectory(devices)) {
        // Interfaces are named "<device>:<configuration>.<interface>".
        const std::size_t colon = name.find(':');
        const std::string interface = devices + name + "/";
        if (colon == std::string::npos ||
            Number(interface + "bInterfaceClass", 16) != kPrinterClass) {
            continue;
        }
        const std::string device = devices + name.substr(0, colon) + "/";
        SysfsUsbPrinter printer;
        printer.vendorId = static_cast<std::uint16_t>(Number(device + "idVendor", 16));
        printer.productId = static_cast<std::uint16_t>(Number(device + "idProduct", 16));
        printer.busNumber = static_cast<int>(Number(device + "busnum", 10));
        printer.deviceNumber = static_cast<int>(Number(device + "devnum", 10));
        printer.interfaceNumber = static_cast<int>(Number(interface + "bInterfaceNumber", 16));
        printer.manufacturer = ReadFirstLine(device + "manufacturer");
        printer.product = ReadFirstLine(device + "product");
        printer.serial = ReadFirstLine(device + "serial");
        printer.deviceId = ReadFirstLine(interface + "ieee1284_id");
        const std::string driver = ReadLink(interface + "driver");
        printer.kernelDriver = driver.substr(driver.rfind('/') + 1);
        for (const std::string& node : ListDirectory(interface + "usbmisc")) {
            printer.printerNode = "/dev/usb/" + node;
        }
        printers.push_back(printer);
    }
    return printers;
}

}  // namespace tarvek
