// The configuration report: everything the printer and its module tell, shown, and on request
// printed by the printer itself as a label.
#pragma once

#include <string>

#include "cli/command/verb_context.h"

namespace tarvek::cli {

// time: when the report is made, for the label.
int ReportPrinter(VerbContext& context, bool print, const std::string& time);
// The label alone, for the station loop: profile names the profile just applied on it.
bool PrintReportLabel(VerbContext& context, const std::string& time, const std::string& profile,
                      const std::string& profileSha256, Outcome& outcome);

}  // namespace tarvek::cli
