#include "cli/settings/key_value_input.h"

namespace tarvek::cli {
namespace {

// The variable a "${env:NAME}" value names; false for any other value.
bool EnvReference(const std::string& text, std::string& name) {
    static const std::string kOpen = "${env:";
    if (text.size() <= kOpen.size() + 1 || text.compare(0, kOpen.size(), kOpen) != 0 ||
        text.back() != '}') {
        return false;
    }
    name = text.substr(kOpen.size(), text.size() - kOpen.size() - 1);
    return !name.empty();
}

}  // namespace

bool AddSetting(Settings& settings, const KeySpec& spec, const std::string& text,
                const EnvLookup& env, InputError& error) {
    error.key = spec.name;
    if (settings.count(spec.id) != 0) {
        error.problem = Problem::RepeatedKey;
        return false;
    }
    std::string value = text;
    std::string variable;
    if (EnvReference(text, variable) && (!env || !env(variable, value))) {
        error.problem = Problem::EnvMissing;
        error.detail = variable;
        return false;
    }
    Value parsed;
    if (!ParseValue(spec, value, parsed)) {
        error.problem = Problem::BadValue;
        error.value = value;
        return false;
    }
    settings[spec.id] = parsed;
    return true;
}

bool AddKeyValue(Settings& settings, const std::string& argument, const EnvLookup& env,
                 InputError& error) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) {
        error.problem = Problem::NotKeyValue;
        error.value = argument;
        return false;
    }
    const std::string key = argument.substr(0, equals);
    const KeySpec* spec = FindKey(key);
    if (spec == nullptr) {
        error.problem = Problem::UnknownKey;
        error.key = key;
        return false;
    }
    return AddSetting(settings, *spec, argument.substr(equals + 1), env, error);
}

}  // namespace tarvek::cli
