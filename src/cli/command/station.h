// The station loop: a technician provisions printers one after another on one port. For each:
// wait for a printer to answer, find its unit's values (by its Bluetooth address, or the next
// row), apply the profile with them, append one audit record, ask for the next printer, wait
// for this one to go away. Every wait is bounded; Ctrl-C ends the loop between printers or
// inside one (the apply stops at its next step, the module leaves ISP mode).
#pragma once

#include <functional>
#include <string>

#include "cli/result/station_outcome.h"
#include "cli/settings/unit_rows.h"
#include "cli/command/verb_context.h"
#include "cli/command/station_book.h"

namespace tarvek::cli {

struct StationPlan {
    std::string profileFile;
    std::string profileSha256;  // of the file's bytes, for the audit
    Settings profile;
    const Units* units = nullptr;  // none: the profile alone for every printer
    std::string auditPath;         // "" for no audit
    std::string junitPath;         // "" for no test report
    std::string station;           // this machine's name
    std::string operatorName;
    int waitSeconds = 300;
    std::function<std::string()> now;  // the audit's time stamps
    bool label = false;                // a configuration label on each printer provisioned
    NetworkPlan network;
};

// How one printer of a station is provisioned beyond the apply itself.
struct UnitSteps {
    Outcome reached;       // failed: the printer could not be reached, nothing is applied
    bool pinLast = false;  // a new PIN is set once everything else is, in an apply of its own
    // Once applied (and labelled): what the station does next with the printer.
    std::function<Outcome(const Settings& applied)> after;
};

// The time now, UTC, as "2024-05-01T12:34:56Z" (the audit's time stamps).
std::string UtcTimestamp();

// The profile with each row's values over it, checked before any printer is touched.
bool CheckPlan(const StationPlan& plan, const SerialLineSettings& line, InputError& error);
// No installed printer holds the station's port (held: the failure when one does).
bool StationPortFree(VerbContext& context, const StationPlan& plan, Outcome& held);
// One printer: its row, the apply, its audit record (kept in book).
Outcome Provision(VerbContext& context, const StationPlan& plan, StationBook& book, int unit,
                  const std::string& address, const UnitSteps& steps = {});
// One port's loop, its printers recorded in book (shared with the station's other ports).
StationTally RunStationOn(VerbContext& context, const StationPlan& plan, StationBook& book);
// The station's end: its exit code, the test report written, and said.
int EndStation(Output& output, const StationPlan& plan, const StationBook& book,
               const StationTally& total);
// The station on one port.
int RunStation(VerbContext& context, const StationPlan& plan);

}  // namespace tarvek::cli
