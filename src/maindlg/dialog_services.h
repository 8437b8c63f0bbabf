// The process-wide objects the dialogs work with, handed to each dialog when it is made: the
// main dialog's pair of links and the Wi-Fi dialog's own pair (each with its transport kind,
// kept across runs of the dialogs), the clock and the port conflict check. The program wires
// the platform's objects in; tests wire fakes or links on a pseudo-terminal.
#pragma once

#include "link/clock.h"
#include "link/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek {

struct DialogServices {
    ChannelSet mainChannels;
    ChannelSet wifiChannels;
    Clock& clock;
    PortConflictCheck& conflictCheck;
};

}  // namespace tarvek
