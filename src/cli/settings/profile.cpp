#include "cli/settings/profile.h"

#include <nlohmann/json.hpp>

#include "cli/settings/text_files.h"

namespace tarvek::cli {
namespace {

using nlohmann::json;

constexpr const char* kVersionKey = "tarvek-profile";

bool Fail(InputError& error, Problem problem, const std::string& source, const std::string& key) {
    error.problem = problem;
    error.source = source;
    error.key = key;
    return false;
}

const KeySpec* FindMember(Group group, const std::string& member) {
    for (int i = 0; i < kKeyCount; ++i) {
        const KeySpec& spec = Spec(static_cast<KeyId>(i));
        if (spec.group == group && MemberName(spec) == member) {
            return &spec;
        }
    }
    return nullptr;
}

bool FindGroup(const std::string& name, Group& group) {
    for (Group g : {Group::Printer, Group::Bluetooth, Group::Serial, Group::Wifi}) {
        if (name == GroupName(g)) {
            group = g;
            return true;
        }
    }
    return false;
}

// A member's value as text: strings as they are, whole numbers in decimal.
bool ValueText(const json& value, std::string& text) {
    if (value.is_string()) {
        text = value.get<std::string>();
        return true;
    }
    if (value.is_number_integer()) {
        text = std::to_string(value.get<long long>());
        return true;
    }
    return false;
}

bool ReadGroup(const json& members, Group group, const std::string& source, const EnvLookup& env,
               Settings& settings, InputError& error) {
    for (const auto& [member, value] : members.items()) {
        const std::string name = std::string(GroupName(group)) + "." + member;
        const KeySpec* spec = FindMember(group, member);
        if (spec == nullptr) {
            return Fail(error, Problem::UnknownKey, source, name);
        }
        std::string text;
        if (!ValueText(value, text)) {
            return Fail(error, Problem::WrongType, source, spec->name);
        }
        if (!AddSetting(settings, *spec, text, env, error)) {
            error.source = source;
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadProfile(const std::string& text, const std::string& source, const EnvLookup& env,
                 Settings& settings, InputError& error) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::exception& e) {  // a syntax error, or a number too large
        error.detail = e.what();
        return Fail(error, Problem::NotJson, source, "");
    }
    if (!document.is_object() || !document.contains(kVersionKey) ||
        document[kVersionKey] != kProfileVersion) {
        return Fail(error, Problem::NotAProfile, source, "");
    }
    for (const auto& [name, members] : document.items()) {
        if (name == kVersionKey) {
            continue;
        }
        Group group;
        if (!FindGroup(name, group)) {
            return Fail(error, Problem::UnknownGroup, source, name);
        }
        if (!members.is_object()) {
            return Fail(error, Problem::WrongType, source, name);
        }
        if (!ReadGroup(members, group, source, env, settings, error)) {
            return false;
        }
    }
    return true;
}

bool LoadProfile(const std::string& path, const EnvLookup& env, Settings& settings,
                 InputError& error) {
    std::string text;
    if (!ReadFileText(path, text)) {
        return Fail(error, Problem::FileUnreadable, path, "");
    }
    return ReadProfile(text, path, env, settings, error);
}

ProfileText WriteProfile(const Settings& values, bool includeSecrets) {
    nlohmann::ordered_json document;
    document[kVersionKey] = kProfileVersion;
    ProfileText profile;
    for (const auto& [id, value] : values) {
        const KeySpec& spec = Spec(id);
        if (spec.secret && !includeSecrets) {
            continue;
        }
        // A value read from the printer that no profile could hold (a number outside its list,
        // a text the key does not take) is left out rather than written unloadable.
        const std::string text = FormatValue(spec, value);
        Value back;
        if (!ParseValue(spec, text, back)) {
            profile.leftOut.push_back(id);
            continue;
        }
        nlohmann::ordered_json member;
        if (IsNumeric(spec)) {
            member = std::stoll(text);
        } else {
            member = text;
        }
        try {
            (void)member.dump();
        } catch (const json::type_error&) {
            profile.leftOut.push_back(id);
            continue;
        }
        document[GroupName(spec.group)][MemberName(spec)] = member;
    }
    profile.text = document.dump(4) + "\n";
    return profile;
}

}  // namespace tarvek::cli
