// Comparing what was asked for with what the printer reports: a profile against a printer, and
// an apply against its read-back.
#pragma once

#include <vector>

#include "cli/settings/module_values.h"
#include "cli/result/outcome.h"

namespace tarvek::cli {

// Every key of wanted against reported. A key the printer cannot report goes to unverifiable;
// a key it reports with another value (or not at all) is a difference.
std::vector<Difference> CompareValues(const Settings& wanted, const Settings& reported,
                                      std::vector<KeyId>& unverifiable);

// The module read after a save against what the save should have left: every Wi-Fi key, the
// WEP keys of both sizes and the pre-shared key.
std::vector<Difference> CompareModule(const ModuleSettings& expected, const ModuleSettings& actual);

// The difference of a pre-shared key that did not take (named by the passphrase it derives
// from; its bytes are never shown).
inline constexpr const char* kPreSharedKey = "pre-shared key";

}  // namespace tarvek::cli
