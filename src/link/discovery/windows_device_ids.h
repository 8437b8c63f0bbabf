// What Windows' own names of a serial port tell about it, as pure functions (built and tested
// on every platform): the device instance ID of the ports class ("USB\VID_0403&PID_6001\A1",
// "BTHENUM\{...}_LOCALMFG&0002\7&2D8A6F3&0&001901A2B3C4_C00000000", "ACPI\PNP0501\1") and the
// value names of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM ("\Device\Serial0", "\Device\BthModem0").
#pragma once

#include <cstdint>
#include <string>

#include "link/discovery/port_discovery.h"

namespace tarvek {

struct WindowsDeviceFacts {
    PortKind kind = PortKind::SerialCable;
    std::uint16_t vendorId = 0, productId = 0;
    std::string bluetoothAddress;  // "00:19:01:A2:B3:C4"; empty for an incoming port
    std::string serialNumber;      // the USB device's, where the instance ID carries it
};

WindowsDeviceFacts FactsFromInstanceId(const std::string& instanceId);

// SerialCable for "\Device\Serial<n>", BluetoothSerial for Bluetooth modems, Other otherwise.
PortKind KindFromSerialCommName(const std::string& valueName);

// COM ports by number (COM2 before COM10), then any other name in text order.
bool ComPortBefore(const std::string& a, const std::string& b);

}  // namespace tarvek
