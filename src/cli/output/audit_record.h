// One printer of a station as its audit keeps it: the outputs show it as the printer's line (or
// its JSON line), and the audit file appends the same JSON line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/output/json_values.h"
#include "cli/session/apply.h"

namespace tarvek::cli {

struct AuditRecord {
    std::string time;
    std::string station;  // the machine's name
    std::string operatorName;
    int unit = 0;
    std::string port;
    std::string address;  // the printer's Bluetooth address ("" when it gives none)
    std::string profile;
    std::string profileSha256;
    std::optional<int> unitsLine;  // the units file's line of the printer's row
    Settings settings;             // the profile with the row's values over it
    ApplyReport report;
    std::uint32_t durationMs = 0;
};

// The record as JSON, secrets hidden as wording says.
Json AuditJson(const AuditRecord& record, const Wording& wording);
// The record as the audit file's line: its JSON on one line, and the line's end.
std::string AuditLine(const AuditRecord& record, const Wording& wording);

}  // namespace tarvek::cli
