// Every serial port and USB printer of this machine, described so a person recognises it,
// with who holds it and whether this user may open it.
//
// Windows: the COM ports of the Setup API's ports class (friendly name, the kind from the
// device's instance ID: USB adapter with vendor and product, Bluetooth serial with the
// paired device's address) merged with HKLM\HARDWARE\DEVICEMAP\SERIALCOMM (all Wine has),
// and the USB printer the USB link opens ("USB"). Holders: the installed printers (spooler).
//
// Linux: /dev/ttyS* that have a UART behind them, /dev/ttyUSB*, /dev/ttyACM*, /dev/rfcomm*
// with their /dev/serial/by-id names, and every USB printer-class interface ("USB" for the
// printer this utility was made for, "usb:VVVV:PPPP" for others). Holders: a CUPS queue
// whose device URI names the port, else a process that has the device open (found in
// /proc, not by opening the port: opening a tty raises its modem lines and opening an
// rfcomm port starts a Bluetooth connection).
//
// Paths the caller names (a pseudo-terminal, say, which no scan lists) are described the
// same way and listed first, in the caller's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/conflict/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek {

enum class PortKind : int {
    SerialCable = 0,       // a UART on the machine (ttyS, a PCI or ACPI COM port)
    UsbSerialAdapter = 1,  // a USB serial adapter or CDC-ACM device; vendorId/productId set
    BluetoothSerial = 2,   // a Bluetooth serial port; bluetoothAddress where known
    UsbPrinter = 3,        // the USB printer class; opened with the USB link
    Other = 4,             // a device of no kind above (a pseudo-terminal, say)
    Missing = 5,           // a path the caller named that does not exist
};

enum class PortAccess : int { Allowed = 0, Denied = 1, Unknown = 2 };

struct PortInfo {
    std::string name;          // what to open: "COM3", "/dev/ttyUSB0", "USB", "usb:04b8:0202"
    std::string friendlyName;  // "USB Serial Port (COM3)", "FTDI FT232R USB UART"
    std::vector<std::string> aliases;  // other names of the same device (/dev/serial/by-id/...)
    PortKind kind = PortKind::Other;
    TransportKind transport = TransportKind::Serial;  // which link opens it
    std::uint16_t vendorId = 0, productId = 0;        // USB devices; 0 when unknown
    std::string bluetoothAddress;                     // "00:19:01:2A:3B:4C"; empty when unknown
    std::string serialNumber;                         // USB devices, where they give one

    PortCheck held = PortCheck::Free;  // Held: holder says who
    PortHolder holder;
    // Linux: false when some processes could not be looked at (another user's), so a holder
    // among them would not be seen.
    bool allProcessesSeen = true;
    std::string kernelDriver;  // Linux USB printers: "usblp" while the kernel's driver has it

    PortAccess access = PortAccess::Unknown;
    // Linux: the group that opens the device node ("dialout" for ttys, "lp" for USB printers
    // where the node belongs to root), and whether this process is in it now.
    std::string accessGroup;
    bool inAccessGroup = false;
};

// This machine's ports: the paths named by the caller first, then the ones found.
std::vector<PortInfo> ListPorts(const std::vector<std::string>& extraPaths = {});

}  // namespace tarvek
