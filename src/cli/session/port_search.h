// Probing the machine's ports for a printer: which ports a search may touch (never one an
// installed printer or a queue holds), the line detection on them, and the choice of the one
// printer "--port auto" means.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cli/result/outcome.h"
#include "cli/session/port_finder.h"
#include "link/channel_open.h"

namespace tarvek::cli {

// A port of the machine and, where it was probed, what detection found on it.
struct PortProbe {
    PortInfo port;
    bool probed = false;
    LineDetection detection;
};

// Probes ports of the machine's list: its first named entries, the ports the caller named (a
// port an installed printer or a queue holds is left alone); with none named, every serial
// port nobody holds.
std::vector<PortProbe> ProbePorts(const PortFinder& finder, const std::vector<PortInfo>& listed,
                                  std::size_t named, const std::atomic<bool>& interrupted);

// What "detect" ends with: done when a printer answered; else Ctrl-C, silence on the ports
// probed, or no port that could be probed and opened.
Outcome DetectionResult(const std::vector<PortProbe>& probes, bool interrupted);

// "--port auto": the one port of the machine on which a printer answers, with the line it
// answers at (a USB printer when no serial port has one), and that port as listed. false, with
// the outcome, when no port or several ports have one.
bool FindPrinter(const PortFinder& finder, const std::atomic<bool>& interrupted,
                 PortRequest& request, PortInfo& found, Outcome& outcome);

}  // namespace tarvek::cli
