// The "doctor" line that follows a failure to reach a printer: what the technician can do about
// it (free the port from the printer or queue that holds it, join the group that may open it,
// pair the Bluetooth printer, find the line settings). Empty when there is nothing to add.
#pragma once

#include <string>

#include "cli/result/outcome.h"
#include "cli/session/port_finder.h"

namespace tarvek::cli {

// For a failed verb; the finder describes a port that did not open (does it exist, who holds
// it, may this user open it).
std::string DoctorAdvice(const Outcome& outcome, const PortFinder& finder, int codePage);

// For a port as listed: held, missing or not to be opened by this user. openFailed: the port
// did not open, so every port gets a line (the port list, a Bluetooth pairing).
std::string PortAdvice(const PortInfo& port, bool openFailed, int codePage);

}  // namespace tarvek::cli
