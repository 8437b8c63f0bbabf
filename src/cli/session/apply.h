// One apply: every key and value checked before the port is opened; then, once the printer has
// answered and told its emulation, the checks that need the printer; the Wi-Fi module read,
// merged, checked by the module's own rules and saved as one sequence with its flash; the
// printer's settings; the serial line and the emulation last (each ends the link); and the
// read-back at the new line of everything the printer can report. Nothing is written before the
// last check has passed.
#pragma once

#include <vector>

#include "cli/session/connection.h"
#include "cli/session/network_check.h"

namespace tarvek::cli {

struct ApplyReport {
    Outcome outcome;
    std::vector<KeyId> unverifiable;  // sent, but the printer has no way to report them
    NetworkCheck network;             // after a Wi-Fi save, when asked
};

// With network.verify, a Wi-Fi save that read back as asked is followed by the wait for the
// printer on the network (the module out of ISP mode first); not finding it there fails.
ApplyReport Apply(Services& services, const PortRequest& port, const Settings& settings,
                  const NetworkPlan& network = {});

// The port conflict check of the dialog that does the same exchange: the Wi-Fi dialog's when
// the module is involved.
PortConflictVariant VariantFor(bool wifi);
bool HasWifiKeys(const Settings& settings);

}  // namespace tarvek::cli
