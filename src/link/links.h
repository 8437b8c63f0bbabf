// The platform's links and spooler check, as the program gets them. Each dialog asks for its
// own serial and USB link once and keeps them for the life of the process.
//
//  - MakeSerialLink: CSerialLink on a COM port ("COM3" opens \\.\COM3 on Windows; on POSIX
//    the port name is a device path such as /dev/ttyUSB0, a bare name "ttyS0" is taken from
//    /dev/), dropping its input when the front end's policy says (the dialogs': after each
//    write).
//  - MakeUsbLink: CUsbLink on Windows; on Linux the same contract over libusb for printers of
//    the USB printer class (usb_system_libusb.h), the port name choosing which one.
//  - MakePortConflictCheck: the spooler's printers on Windows; on Linux the CUPS queues
//    (port_conflict_cups.h).
// Every pause and time stamp of a link goes through the clock given here (SystemClock() in
// the program, a virtual clock in tests).
#pragma once

#include <memory>

#include "link/clock.h"
#include "link/conflict/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek {

std::unique_ptr<SerialPrinterLink> MakeSerialLink(Clock& clock,
                                                  InputPurge purge = InputPurge::AfterWrite);
std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock);
std::unique_ptr<PortConflictCheck> MakePortConflictCheck();

}  // namespace tarvek
