// The verbs that find printers: "ports" (this machine's ports, described) and "detect" (the
// line settings at which a printer answers).
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cli/output/output.h"

namespace tarvek::cli {

int ListPortsVerb(Output& output, const PortFinder& finder, const std::vector<std::string>& paths);

// The named ports, or every serial port of the machine that nobody holds.
int DetectVerb(Output& output, const PortFinder& finder, const std::vector<std::string>& ports,
               const std::atomic<bool>& interrupted);

}  // namespace tarvek::cli
