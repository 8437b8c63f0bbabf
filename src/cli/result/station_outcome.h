// A station's end as one outcome: what its printers came to and why it stopped, on one port or
// over all of its ports.
#pragma once

#include <vector>

#include "cli/result/outcome.h"

namespace tarvek::cli {

// What a station's loop did.
struct StationTally {
    int done = 0;
    int failed = 0;
    Outcome end;  // why it ended: a wait that ran out, Ctrl-C, or none (the rows are used up)
};

// The ports' tallies as the station's: the counts summed, and the end that ranks first: Ctrl-C,
// then a printer that never went, then any other.
StationTally Total(const std::vector<StationTally>& ports);

// What the station ends with: Ctrl-C; else a printer never taken away, printers failed or rows
// left undone; else none provisioned; else done.
Outcome StationOutcome(const StationTally& total, bool rowsUndone);

}  // namespace tarvek::cli
