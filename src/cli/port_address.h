// Addressing the printer: the port as a technician names it ("COM3", "\\.\COM12", "USB",
// "/dev/ttyUSB0") and the line options, into the request the links take. The line options are
// the printer's current line (on a COM port it answers on no other); the serial keys change it.
#pragma once

#include <string>

#include "cli/input.h"
#include "link/channel_open.h"

namespace tarvek::cli {

// The line options as given (the dialog's first choices by default).
struct LineOptions {
    std::string baud = "19200";
    std::string parity = "none";
    std::string dataBits = "8";
    std::string stopBits = "1";
    std::string flow = "dtr";
};

// "USB" in any case is the USB printer, as is "usb:VVVV:PPPP" (Linux: another printer of the
// USB printer class, by vendor and product); any other name a serial port (a given "\\.\" prefix
// is dropped: the Windows link adds its own). A refused option is named by its flag.
bool MakePortRequest(const std::string& port, const LineOptions& line, PortRequest& request,
                     InputError& error);

// The line as the options that name it: "--baud 9600 --parity none --data-bits 8 ...".
std::string LineFlags(const SerialLineSettings& line);

}  // namespace tarvek::cli
