// The simulated printer's state as a text file of "key=value" lines, so that flashed settings
// survive a restart of the simulator program and a test can assert what the utility wrote.
// ISP mode and the unlock are not kept: a restart is a power cycle.
#pragma once

#include <string>

#include "sim/printer_state.h"

namespace tarvek::sim {

std::string FormatState(const PrinterState& state);
// Applies every known line of text to state (unknown lines are skipped). false when a known
// key has a value it cannot take; the other lines still apply.
bool ParseState(const std::string& text, PrinterState& state);

// Whole-file helpers: 0 = done, -1 = the file could not be read or written.
int SaveStateFile(const std::string& path, const PrinterState& state);
int LoadStateFile(const std::string& path, PrinterState& state);

}  // namespace tarvek::sim
