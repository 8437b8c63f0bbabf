// The station loop: a technician provisions printers one after another on one port. For each:
// wait for a printer to answer, find its unit's values (by its Bluetooth address, or the next
// row), apply the profile with them, append one audit record, ask for the next printer, wait
// for this one to go away. Every wait is bounded; Ctrl-C ends the loop between printers or
// inside one (the apply stops at its next step, the module leaves ISP mode).
#pragma once

#include <functional>
#include <string>

#include "cli/settings/unit_rows.h"
#include "cli/command/printer_verbs.h"

namespace tarvek::cli {

struct StationPlan {
    std::string profileFile;
    Settings profile;
    const Units* units = nullptr;  // none: the profile alone for every printer
    std::string auditPath;         // "" for no audit
    int waitSeconds = 300;
    std::function<std::string()> now;  // the audit's time stamps
    NetworkPlan network;
};

// The time now, UTC, as "2024-05-01T12:34:56Z" (the audit's time stamps).
std::string UtcTimestamp();

// The profile with each row's values over it, checked before any printer is touched.
bool CheckPlan(const StationPlan& plan, const SerialLineSettings& line, InputError& error);
int RunStation(VerbContext& context, const StationPlan& plan);

}  // namespace tarvek::cli
