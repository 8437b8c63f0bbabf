#include "cli/report.h"

#include <iomanip>

#include "cli/cli_texts.h"
#include "texts/localized_text.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

// A value as JSON: a number for numeric keys, else its text.
Json ValueJson(const KeySpec& spec, const Value& value) {
    const std::string text = FormatValue(spec, value);
    if (IsNumeric(spec) && !text.empty() &&
        text.find_first_not_of("0123456789") == std::string::npos) {
        return std::stoll(text);
    }
    return text;
}

std::string Dump(const Json& json) {
    // A text read from the printer need not be UTF-8: such bytes show as U+FFFD.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json KeysJson(const std::vector<KeyId>& keys) {
    Json list = Json::array();
    for (KeyId key : keys) {
        list.push_back(Spec(key).name);
    }
    return list;
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
        Outcome sentence = outcome;
        sentence.differences.clear();
        json["error"] = OutcomeText(sentence, w);
        if (!outcome.differences.empty()) {
            json["differences"] = DifferencesJson(outcome.differences, w);
        }
    }
    return json;
}

void Reporter::Document(Json document) {
    m_out << Dump(document) << "\n" << std::flush;
}

void Reporter::Line(const Json& line) {
    if (m_bJson) {
        Document(line);
    }
}

void Reporter::Say(const std::string& sentence) {
    if (!m_bJson) {
        EndProgress();
        m_out << sentence << "\n" << std::flush;
    }
}

void Reporter::Show(const std::string& port, const PrinterReport& report) {
    const Wording& w = m_wording;
    if (m_bJson) {
        Json json = OutcomeJson(Outcome{}, w);
        json["port"] = port;
        json["bluetooth.address"] = report.bluetoothAddress;
        Json settings = SettingsJson(report.values, w);
        Json unknown = Json::array();
        for (int i = 0; i < kKeyCount; ++i) {
            const KeySpec& spec = Spec(static_cast<KeyId>(i));
            if (report.values.count(spec.id) == 0) {
                settings[spec.name] = nullptr;
                unknown.push_back(spec.name);
            }
        }
        json["settings"] = settings;
        json["unknown"] = unknown;
        if (report.wifi) {
            json["wifi.mac"] = report.mac;
            json["wifi.module"] = report.moduleKind == WifiModuleKind::WpaCapable ? "wpa" : "wep";
        }
        Document(json);
        return;
    }
    m_out << FormatText(Text(text::kPrinterOn), port.c_str()) << "\n";
    const auto row = [this](const std::string& key, const std::string& value) {
        m_out << "  " << std::left << std::setw(24) << key << value << "\n";
    };
    row("bluetooth.address", report.bluetoothAddress);
    for (int i = 0; i < kKeyCount; ++i) {
        const KeySpec& spec = Spec(static_cast<KeyId>(i));
        const auto it = report.values.find(spec.id);
        if (it != report.values.end()) {
            row(spec.name, spec.secret && !w.showSecrets ? Text(text::kHidden)
                                                         : FormatValue(spec, it->second));
        } else if (spec.reported != Reported::Query || (spec.group != Group::Wifi)) {
            row(spec.name, Text(text::kNeverReported));
        } else {
            row(spec.name, Text(report.wifi ? text::kNotInUse : text::kWifiNotRead));
        }
    }
    if (report.wifi) {
        row("wifi.mac", report.mac);
        row("wifi.module",
            Text(report.moduleKind == WifiModuleKind::WpaCapable ? text::kModuleWpaCapable
                                                                 : text::kModuleWepOnly));
    }
    m_out << std::flush;
}

void Reporter::Keys() {
    Json list = Json::array();
    for (int i = 0; i < kKeyCount; ++i) {
        const KeySpec& spec = Spec(static_cast<KeyId>(i));
        const std::string allowed = AllowedValues(spec, m_wording.codePage);
        if (m_bJson) {
            list.push_back({{"key", spec.name},
                            {"group", GroupName(spec.group)},
                            {"allowed", allowed},
                            {"secret", spec.secret},
                            {"read_back", spec.reported != Reported::Never}});
        } else {
            m_out << std::left << std::setw(24) << spec.name << allowed
                  << (spec.secret ? std::string("  [") + Text(text::kSecretMark) + "]" : "")
                  << "\n";
        }
    }
    if (m_bJson) {
        Document({{"keys", list}});
    }
    m_out << std::flush;
}

void Reporter::Applied(const ApplyReport& report, std::size_t written) {
    if (m_bJson) {
        Json json = OutcomeJson(report.outcome, m_wording);
        json["written"] = written;
        json["unverifiable"] = KeysJson(report.unverifiable);
        Document(json);
        return;
    }
    EndProgress();
    m_out << FormatText(Text(text::kApplied), static_cast<int>(written)) << "\n";
    if (!report.unverifiable.empty()) {
        m_out << FormatText(Text(text::kUnverifiable), KeyList(report.unverifiable).c_str())
              << "\n";
    }
    m_out << std::flush;
}

void Reporter::Diff(const std::vector<Difference>& differences,
                    const std::vector<KeyId>& unverifiable) {
    Outcome outcome;
    if (!differences.empty()) {
        outcome.failure = Failure::Differs;
        outcome.differences = differences;
    }
    if (m_bJson) {
        Json json = OutcomeJson(outcome, m_wording);
        json["matches"] = differences.empty();
        json["unverifiable"] = KeysJson(unverifiable);
        Document(json);
        return;
    }
    EndProgress();
    m_out << (differences.empty() ? Text(text::kMatches) : OutcomeText(outcome, m_wording)) << "\n";
    if (!unverifiable.empty()) {
        m_out << FormatText(Text(text::kUnverifiable), KeyList(unverifiable).c_str()) << "\n";
    }
    m_out << std::flush;
}

void Reporter::ProfileSaved(const std::string& file, const std::vector<KeyId>& secrets,
                            const std::vector<KeyId>& leftOut) {
    if (m_bJson) {
        Json json = OutcomeJson(Outcome{}, m_wording);
        json["file"] = file;
        json["secrets_left_out"] = KeysJson(secrets);
        json["left_out"] = KeysJson(leftOut);
        Document(json);
        return;
    }
    EndProgress();
    m_out << FormatText(Text(text::kProfileWritten), file.c_str()) << "\n";
    if (!secrets.empty()) {
        m_out << FormatText(Text(text::kSecretsLeftOut), KeyList(secrets).c_str()) << "\n";
    }
    if (!leftOut.empty()) {
        m_out << FormatText(Text(text::kValuesLeftOut), KeyList(leftOut).c_str()) << "\n";
    }
    m_out << std::flush;
}

void Reporter::ProfileValid(const std::string& file, std::size_t count) {
    if (m_bJson) {
        Json json = OutcomeJson(Outcome{}, m_wording);
        json["settings"] = count;
        Document(json);
        return;
    }
    m_out << FormatText(Text(text::kProfileValid), file.c_str(), static_cast<int>(count)) << "\n"
          << std::flush;
}

void Reporter::Failed(const Outcome& outcome) {
    const std::string advice = m_doctor ? m_doctor(outcome) : "";
    if (m_bJson) {
        Json json = OutcomeJson(outcome, m_wording);
        if (!advice.empty()) {
            json["doctor"] = advice;
        }
        Document(json);
        return;
    }
    EndProgress();
    m_err << "tarvek-cli: " << OutcomeText(outcome, m_wording) << "\n";
    if (!advice.empty()) {
        m_err << "tarvek-cli: " << advice << "\n";
    }
    m_err << std::flush;
}

void Reporter::Warn(const std::string& sentence) {
    EndProgress();
    m_err << "tarvek-cli: " << sentence << "\n" << std::flush;
}

void Reporter::Progress(Step step, int done, int total) {
    if (!m_bProgress || m_bJson) {
        return;
    }
    const texts::LocalizedText& line =
        step == Step::WifiWrite ? text::kSavingWifi : text::kReadingWifi;
    m_err << "\r" << FormatText(Text(line), done, total) << "   " << std::flush;
    m_bProgressShown = true;
}

void Reporter::EndProgress() {
    if (m_bProgressShown) {
        m_err << "\n" << std::flush;
        m_bProgressShown = false;
    }
}

}  // namespace tarvek::cli
