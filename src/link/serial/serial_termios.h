// The mapping of a port's line settings to termios (POSIX), pure so it is tested without a
// device. Raw mode: no echo, no line editing, no translation of any byte; reads never block
// in the driver (VMIN 0, VTIME 0), the link bounds its own waits.
//
// Flow "DTR/DSR": termios has no DTR/DSR handshake. The port raises DTR when it is opened
// and keeps it up, hardware (RTS/CTS) and software flow control are off, and DSR is not
// watched; a printer that drops DSR to pause is therefore not honoured on POSIX. Flow
// "Xon/Xoff": IXON and IXOFF with VSTART 0x11 and VSTOP 0x13.
#pragma once

#include <termios.h>

#include "link/serial_settings.h"

namespace tarvek {

// The termios speed constant of a baud rate from the list; B0 for any other.
speed_t TermiosSpeed(int baudRate);

// Same checks in the same order as the DCB mapping: 0 = done, -1 = a value outside its
// list (t must then not be written to the port).
int MapToTermios(const SerialLineSettings& settings, termios& t);

}  // namespace tarvek
