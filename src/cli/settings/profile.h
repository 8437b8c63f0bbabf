// Profiles: the settings of a printer as a JSON file, versioned ("tarvek-profile": 1) and
// grouped ("printer", "bluetooth", "serial", "wifi"), with the keys' member names inside their
// group. Every value goes through the same check as on the command line.
#pragma once

#include <string>
#include <vector>

#include "cli/settings/key_value_input.h"

namespace tarvek::cli {

inline constexpr int kProfileVersion = 1;

// The settings of a profile text; source names the file in a refusal.
bool ReadProfile(const std::string& text, const std::string& source, const EnvLookup& env,
                 Settings& settings, InputError& error);
bool LoadProfile(const std::string& path, const EnvLookup& env, Settings& settings,
                 InputError& error);

struct ProfileText {
    std::string text;
    // Values no profile can carry: texts that are no UTF-8, values outside their key's list.
    std::vector<KeyId> leftOut;
};
// The profile of values, secrets left out unless includeSecrets.
ProfileText WriteProfile(const Settings& values, bool includeSecrets);

}  // namespace tarvek::cli
