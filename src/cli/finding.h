// Finding the printer: "ports" (this machine's ports, described), "detect" (the line settings
// at which a printer answers) and "--port auto" on the verbs that talk to a printer.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cli/port_finder.h"
#include "cli/report.h"

namespace tarvek::cli {

int ListPortsVerb(Reporter& reporter, const PortFinder& finder,
                  const std::vector<std::string>& paths);

// The named ports, or every serial port of the machine that nobody holds.
int DetectVerb(Reporter& reporter, const PortFinder& finder, const std::vector<std::string>& ports,
               const std::atomic<bool>& interrupted);

// "--port auto": the one port of the machine on which a printer answers, with the line it
// answers at (a USB printer when no serial port has one). false, with the outcome, when no
// port or several ports have one.
bool FindPrinter(Reporter& reporter, const PortFinder& finder, const std::atomic<bool>& interrupted,
                 PortRequest& request, Outcome& outcome);

}  // namespace tarvek::cli
