// Opening and closing a front end's active link: the transport kind is set first, a link that
// fails to open is closed again at once (it may be half open), and closing goes to the link the
// kind names.
#pragma once

#include <string>

#include "link/port_kind.h"
#include "link/printer_link.h"
#include "link/serial_settings.h"

namespace tarvek {

// What to open: the serial link on a port with line settings, the USB printer, or nothing.
struct PortRequest {
    TransportKind kind = TransportKind::Serial;  // the link of the pair that carries it
    std::string portName;                        // "COM3", "/dev/ttyUSB0"; for USB it plays no part
    SerialLineSettings line{};                   // serial only
    LinkKind link = LinkKind::Serial;            // what kind of link reaches the port
};

// Sets channels.kind and opens that link (None opens nothing and succeeds). 0 = open;
// -1 = the link did not open and has been closed again.
int OpenChannel(ChannelSet& channels, const PortRequest& request);

// Closes the link the kind names: USB for Usb, the serial link otherwise (harmless when it is
// not open).
void CloseChannel(ChannelSet& channels);

}  // namespace tarvek
