// Ports and probes in the technician's words: what a port is, who holds it, what detection
// found on it, and the emulation's name.
#pragma once

#include <string>

#include "cli/session/port_search.h"

namespace tarvek::cli {

std::string HolderText(const PortHolder& holder, int codePage);
// "USB serial adapter 0403:6001", "Bluetooth serial port 00:19:01:2A:3B:4C".
std::string KindText(const PortInfo& port, int codePage);
// The port's line and, indented below it, its aliases, holder, access, driver and advice.
std::string PortLines(const PortInfo& port, int codePage);
// What detection found on a port, with advice below it ("" for a cancelled probe).
std::string ProbeText(const PortProbe& probe, int codePage);
// The emulation as its key value names it ("escpos", "cpcl").
std::string EmulationKeyValue(int emulation);
// The "%04x" of a USB ID.
std::string Hex4(std::uint16_t value);

}  // namespace tarvek::cli
