// Results as JSON values: the settings (secrets hidden) and an outcome's fields. The JSON form
// of the output and the station's audit records are made of these.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/output/result_sentences.h"

namespace tarvek::cli {

using Json = nlohmann::ordered_json;

// Settings as a JSON object of keys, secrets hidden.
Json SettingsJson(const Settings& settings, const Wording& wording);
// An outcome's fields: ok, exit, and for a failure its step, message and differences.
Json OutcomeJson(const Outcome& outcome, const Wording& wording);
Json KeysJson(const std::vector<KeyId>& keys);
// One line of JSON; a text read from the printer need not be UTF-8: such bytes show as U+FFFD.
std::string JsonLine(const Json& json);

}  // namespace tarvek::cli
