// The verbs that talk to one printer, and the two that need none. Each returns its exit code
// and has said what happened through the output.
#pragma once

#include <string>
#include <vector>

#include "cli/command/verb_context.h"

namespace tarvek::cli {

int ShowPrinter(VerbContext& context, bool wifi);
// Checks the settings, applies them and reports.
int ApplySettings(VerbContext& context, const Settings& settings, const NetworkPlan& network);
int SetKeys(VerbContext& context, const std::vector<std::string>& pairs,
            const NetworkPlan& network);
int ApplyProfile(VerbContext& context, const std::string& file, const NetworkPlan& network = {});
int DiffProfile(VerbContext& context, const std::string& file);
int SaveProfile(VerbContext& context, const std::string& file, bool includeSecrets, bool wifi);
int CheckProfile(Output& output, const std::string& file, const EnvLookup& env,
                 const SerialLineSettings& line);
int ListKeys(Output& output);

}  // namespace tarvek::cli
