// Addressing the printer: the port as a technician names it ("COM3", "\\.\COM12", "USB",
// "/dev/ttyUSB0") and the line options, into the request the links take. The line options are
// the printer's current line (on a COM port it answers on no other); the serial keys change it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/settings/key_value_input.h"
#include "link/channel_open.h"

namespace tarvek::cli {

// The line options as given, by line field (the first-choice line's values by default).
struct LineOptions {
    LineOptions();
    std::string field[kLineFieldCount];
};
// The option of a line field: "baud" for --baud, the member name of its serial key.
std::string LineOptionName(LineField field);

// "USB" in any case is the USB printer, as are "usb:VVVV:PPPP" and "usb:any" (Linux: another
// printer of the USB printer class); "tcp:HOST[:PORT]" the printer on the network (named with
// its port: "tcp:HOST:9100"); "bt:AA:BB:CC:DD:EE:FF" a paired Bluetooth printer (the address in
// capitals); any other name a serial port (a given "\.\" prefix is dropped: the Windows link
// adds its own). The line options play no part on the network or Bluetooth. A refused option
// is named by its flag.
bool MakePortRequest(const std::string& port, const LineOptions& line, PortRequest& request,
                     InputError& error);

// The line's values named as its options are, in their order: {"baud", "9600"}, {"parity",
// "none"}, ...; and the same as the options themselves: "--baud 9600 --parity none ...".
// Whether the printer is reached on its serial line (not over USB or the network), so the line
// options are its line.
bool OnSerialLine(const PortRequest& request);

std::vector<std::pair<std::string, std::string>> LineValues(const SerialLineSettings& line);
std::string LineFlags(const SerialLineSettings& line);

}  // namespace tarvek::cli
