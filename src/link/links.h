// The platform's links and spooler check, as the program gets them. Each dialog asks for its
// own serial and USB link once and keeps them for the life of the process.
//
//  - MakeSerialLink: CSerialLink on a COM port ("COM3" opens \\.\COM3 on Windows; on POSIX
//    the port name is a device path such as /dev/ttyUSB0, a bare name "ttyS0" is taken from
//    /dev/).
//  - MakeUsbLink: CUsbLink on Windows; elsewhere a link whose Open always fails (1) and whose
//    Close gives 3, as for a printer that is not there.
//  - MakePortConflictCheck: the spooler's printers on Windows; elsewhere no printer holds
//    any port (false, nothing shown).
// Every pause and time stamp of a link goes through the clock given here (SystemClock() in
// the program, a virtual clock in tests).
#pragma once

#include <memory>

#include "link/clock.h"
#include "link/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek {

std::unique_ptr<SerialPrinterLink> MakeSerialLink(Clock& clock);
std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock);
std::unique_ptr<PortConflictCheck> MakePortConflictCheck();

}  // namespace tarvek
