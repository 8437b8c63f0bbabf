// The plans the apply builds from the command line before any printer is touched: the
// station's profile and unit rows checked against the line, and the station's ports.
#pragma once

#include <vector>

#include "cli/command/station.h"
#include "cli/command/verb_table.h"

namespace tarvek::cli {

// The station's plan from --each's options; false, with the refusal, when the profile or the
// units cannot be read or a printer could not take them on line.
bool MakeStationPlan(const Invocation& invocation, const SerialLineSettings& line,
                     StationPlan& plan, Units& units, Outcome& refused);
// The station's ports from --port: each named once, none "auto", one USB port at most.
bool MakeStationPorts(const Invocation& invocation, std::vector<PortRequest>& ports,
                      Outcome& refused);

}  // namespace tarvek::cli
