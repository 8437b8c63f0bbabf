// The station on several ports at once: one worker per port, each running the station loop
// on its own port and link, all sharing the unit rows, the audit file and the test report. A
// failure on one port never stops the others.
#pragma once

#include <vector>

#include "cli/command/station.h"
#include "cli/command/verb_table.h"

namespace tarvek::cli {

int RunStations(Invocation& invocation, const std::vector<PortRequest>& ports,
                const StationPlan& plan);

}  // namespace tarvek::cli
