#include "cli/command/verb_plan.h"

#include <algorithm>

#include "cli/command/cli_platform.h"
#include "cli/platform/platform.h"
#include "cli/settings/profile.h"
#include "cli/settings/setting_rules.h"

namespace tarvek::cli {

bool MakeStationPlan(const Invocation& i, const SerialLineSettings& line, StationPlan& plan,
                     Units& units, Outcome& refused) {
    const ApplyOptions& o = i.options.apply;
    plan.profileFile = o.file;
    plan.profileSha256 = FileSha256(o.file);
    plan.auditPath = o.audit;
    plan.junitPath = o.junit;
    plan.waitSeconds = o.waitSeconds;
    plan.station = HostName();
    plan.operatorName = o.operatorName.empty() ? UserName() : o.operatorName;
    plan.now = i.platform.now;
    plan.units = o.units.empty() ? nullptr : &units;
    plan.label = o.label;
    plan.network = o.network;
    InputError error;
    if (!LoadProfile(o.file, i.platform.env, plan.profile, error) ||
        (plan.units != nullptr && !LoadUnits(o.units, i.platform.env, units, error)) ||
        !CheckPlan(plan, line, error)) {
        refused = InputOutcome(error);
        return false;
    }
    return true;
}

bool MakeStationPorts(const Invocation& i, std::vector<PortRequest>& ports, Outcome& refused) {
    const std::vector<std::string>& names = i.global.ports;
    InputError error;
    ports.resize(names.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        const bool repeated =
            std::find(names.begin(), names.begin() + k, names[k]) != names.begin() + k;
        if (!i.options.apply.each || repeated || names[k] == "auto") {
            error.problem = i.options.apply.each ? Problem::StationPorts : Problem::SeveralPorts;
            refused = InputOutcome(error);
            return false;
        }
        if (!MakePortRequest(names[k], i.global.line, ports[k], error) ||
            !CheckSettings(Settings{}, ports[k].line, error)) {
            refused = InputOutcome(error);
            return false;
        }
    }
    // The one USB link serves one port.
    if (std::count_if(ports.begin(), ports.end(),
                      [](const PortRequest& p) { return p.kind == TransportKind::Usb; }) > 1) {
        error.problem = Problem::StationPorts;
        refused = InputOutcome(error);
        return false;
    }
    return true;
}

}  // namespace tarvek::cli
