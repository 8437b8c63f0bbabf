// The cable-free station ("--port bt:units"): the printers are the units file's rows, each
// named by its Bluetooth address. For each row in turn: pair with the printer (its factory PIN
// from the environment; looked for within --wait), apply the profile with the row's values over
// its serial port profile (a new PIN last), record it in the audit, then pair again with the
// new PIN, or forget the printer. A printer that cannot be reached fails its row; the station
// goes on with the next.
#pragma once

#include "cli/command/station.h"
#include "cli/command/verb_table.h"

namespace tarvek::cli {

// The port name that stands for "the printers of the units file, over Bluetooth".
inline constexpr char kBluetoothUnitsPort[] = "bt:units";

bool IsBluetoothUnitsPort(const std::string& name);
int RunBluetoothStation(Invocation& invocation, const StationPlan& plan);

}  // namespace tarvek::cli
