// Stand-ins for the platform's links while they are not part of the build: no port opens and
// no printer holds one.
#pragma once

#include <memory>

#include "link/clock.h"
#include "link/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek::app {

std::unique_ptr<SerialPrinterLink> MakeStandInSerialLink(Clock& clock);
std::unique_ptr<UsbPrinterLink> MakeStandInUsbLink(Clock& clock);
std::unique_ptr<PortConflictCheck> MakeStandInPortConflictCheck();

}  // namespace tarvek::app
