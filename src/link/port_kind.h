// The kind of link a port name stands for, told by its spelling alone: "tcp:HOST[:PORT]" the
// printer's raw port on the network, "bt:ADDRESS" a paired Bluetooth printer, "USB" and
// "usb:..." a printer on USB, any other name a serial port ("COM3", "/dev/ttyUSB0"). The
// schemes are told in any case. Whether the rest of a name is well formed is for the kind's
// own parser (ParseTcpPortName, ParseBluetoothPortName, ParseUsbPortName).
#pragma once

#include <string>

#include "link/printer_link.h"

namespace tarvek {

enum class LinkKind : int { Serial, Usb, Bluetooth, Network };

LinkKind LinkKindOfPort(const std::string& portName);

// The name a port is known by, from the name a technician gives: a "\\.\" prefix dropped (the
// Windows link adds its own), a COM port's name and "USB" in capitals (a COM port in any case is
// the same port, and the installed printers name it in capitals, "COM3:"), a Bluetooth address
// in capitals, a network port with its port number ("tcp:HOST:9100"). False for an empty name
// and for a network, Bluetooth or USB name that its kind's parser refuses.
bool CanonicalPortName(const std::string& given, std::string& name, LinkKind& kind);

// The dialogs' transport kind that carries a link of this kind: the USB link for USB, the
// serial link for the others (the network and Bluetooth links keep the serial contract).
TransportKind TransportFor(LinkKind kind);

}  // namespace tarvek
