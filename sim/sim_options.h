// The command line of tarvek-printer-sim.
#pragma once

#include <string>

#include "sim/faults.h"
#include "sim/printer_model.h"
#include "sim/printer_state.h"

namespace tarvek::sim {

struct SimOptions {
    bool help = false;
    bool renderPages = false;
    std::string devicePath;  // serve this tty instead of a new pty
    std::string linkFile, symlinkPath, statePath, logPath;
    std::string tcpHost;  // --tcp ADDRESS:PORT: also serve the printer's raw port there
    int tcpPort = 0;
    // Initial state, used when no state file is loaded.
    PrinterState initial = DefaultPrinterState();
    Faults faults;
    std::uint32_t commandPauseMs = kDefaultCommandPauseMs;
};

// 0 = parsed; -1 = refused, with the reason in error.
int ParseSimOptions(int argc, char** argv, SimOptions& options, std::string& error);
void ApplyInitialState(const SimOptions& options, PrinterState& state);
const char* SimUsage();
// Every printed page as text: bytes 0x80..0xFF through the page's code page.
std::string RenderPages(const PrinterState& state);

}  // namespace tarvek::sim
