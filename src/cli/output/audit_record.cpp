#include "cli/output/audit_record.h"

namespace tarvek::cli {

Json AuditJson(const AuditRecord& r, const Wording& w) {
    Json json;
    json["time"] = r.time;
    json["station"] = r.station;
    json["operator"] = r.operatorName;
    json["unit"] = r.unit;
    json["port"] = r.port;
    json["bluetooth.address"] = r.address;
    json["profile"] = r.profile;
    json["profile_sha256"] = r.profileSha256;
    if (r.unitsLine) {
        json["units_line"] = *r.unitsLine;
    }
    json["settings"] = SettingsJson(r.settings, w);
    json["result"] = r.report.outcome.Ok() ? "ok" : "failed";
    json.update(OutcomeJson(r.report.outcome, w));
    json["unverifiable"] = KeysJson(r.report.unverifiable);
    if (r.report.network.result != Joined::NotAsked) {
        json["network"] = NetworkRecord(r.report.network);
    }
    json["duration_s"] = r.durationMs / 1000.0;
    return json;
}

std::string AuditLine(const AuditRecord& record, const Wording& wording) {
    return JsonLine(AuditJson(record, wording)) + "\n";
}

}  // namespace tarvek::cli
