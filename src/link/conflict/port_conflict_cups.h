// The port conflict check on Linux: a CUPS queue whose device URI names the port holds it.
//  - A serial port ("/dev/ttyUSB0", or "ttyUSB0" as the link takes it) is named by a
//    "serial:", "file:" or "parallel:" URI of the same device (links resolved, so a
//    /dev/serial/by-id name matches the tty it points to).
//  - The USB printer (a USB port name, "USB" or "usb:VVVV:PPPP") is named by a "usb://" URI
//    of its device (the serial number where the URI has one, else maker and model, from the
//    device's strings or its IEEE 1284 ID), or by a URI of the kernel printer driver's node.
// The server is the one CUPS clients use (CUPS_SERVER, client.conf), looked up afresh for
// each check. A server that is not running means no queue holds the port; one that does not
// answer within a few seconds, or refuses the list, gives ListUnreadable. The two variants
// are the same here: CUPS keeps one list of queues.
#pragma once

#include <memory>
#include <string>

#include "link/conflict/port_conflict_check.h"

namespace tarvek {

// root is where the USB devices are looked up in sysfs ("/", or a test's fake tree).
std::unique_ptr<PortConflictCheck> MakeCupsPortConflictCheck(const std::string& root = "/");

// The same with the queue list read once, at the first check, and kept: for a look at many
// ports at one moment (port discovery asks once, not once per port).
std::unique_ptr<PortConflictCheck> MakeCupsQueueSnapshot(const std::string& root = "/");

}  // namespace tarvek
