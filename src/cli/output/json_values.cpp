#include "cli/output/json_values.h"

namespace tarvek::cli {
namespace {

// A value as JSON: a number for numeric keys, else its text.
Json ValueJson(const KeySpec& spec, const Value& value) {
    const std::string text = FormatValue(spec, value);
    if (IsNumeric(spec) && !text.empty() &&
        text.find_first_not_of("0123456789") == std::string::npos) {
        return std::stoll(text);
    }
    return text;
}

Json DifferencesJson(const std::vector<Difference>& differences, const Wording& w) {
    Json list = Json::array();
    for (const Difference& d : differences) {
        list.push_back({{"key", Spec(d.key).name},
                        {"wanted", Shown(d.key, d.expected, w)},
                        {"reported", Shown(d.key, d.actual, w)}});
    }
    return list;
}

}  // namespace

std::string JsonLine(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json KeysJson(const std::vector<KeyId>& keys) {
    Json list = Json::array();
    for (KeyId key : keys) {
        list.push_back(Spec(key).name);
    }
    return list;
}

Json SettingsJson(const Settings& settings, const Wording& w) {
    Json object = Json::object();
    for (const auto& [id, value] : settings) {
        const KeySpec& spec = Spec(id);
        object[spec.name] =
            spec.secret && !w.showSecrets ? Json(kHiddenValue) : ValueJson(spec, value);
    }
    return object;
}

Json OutcomeJson(const Outcome& outcome, const Wording& w) {
    Json json;
    json["ok"] = outcome.Ok();
    json["exit"] = ExitCodeOf(outcome);
    if (!outcome.Ok()) {
        json["step"] = StepName(outcome.step);
        json["error"] = FailureText(outcome, w);
        if (const failure::ValuesDiffer* differ = outcome.As<failure::ValuesDiffer>()) {
            json["differences"] = DifferencesJson(differ->differences, w);
        }
    }
    return json;
}

}  // namespace tarvek::cli
