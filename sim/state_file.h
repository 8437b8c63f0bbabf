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

// 0 = written, -1 = the file could not be written.
int SaveStateFile(const std::string& path, const PrinterState& state);
enum class StateLoad { Missing, Loaded, Invalid };
// Invalid: the file is there but unreadable or has a line the printer cannot take; state is
// then untouched, so the file is never overwritten with something else.
StateLoad LoadStateFile(const std::string& path, PrinterState& state);

}  // namespace tarvek::sim
