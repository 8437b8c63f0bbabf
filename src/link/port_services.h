// What a front end needs to reach the printer: its own pair of links with their transport kind
// (process-wide objects, held by reference), the clock every pause goes through, and the check
// that no installed printer holds the port.
#pragma once

#include "link/clock.h"
#include "link/conflict/port_conflict_check.h"
#include "link/printer_link.h"

namespace tarvek {

struct PortServices {
    ChannelSet channels;
    Clock& clock;
    PortConflictCheck& conflictCheck;
};

}  // namespace tarvek
