#include "cli/command/printer_verbs.h"

#include "cli/session/compare.h"
#include "cli/settings/text_files.h"
#include "cli/settings/profile.h"
#include "cli/settings/setting_rules.h"

namespace tarvek::cli {
namespace {

bool Load(Output& output, const std::string& file, const EnvLookup& env, Settings& settings,
          int& exit) {
    InputError error;
    if (!LoadProfile(file, env, settings, error)) {
        exit = Fail(output, InputOutcome(error));
        return false;
    }
    return true;
}

// What the printer reports, for a profile of it: serial keys as the line told them, and no
// Wi-Fi key that the encryption fixes.
Settings SavableValues(const PrinterReport& report) {
    Settings values = report.values;
    const auto encryption = values.find(KeyId::WifiEncryption);
    if (encryption != values.end()) {
        DropFixedKeys(values, static_cast<Encryption>(encryption->second.number));
    }
    return values;
}

// The port checked, then everything the printer reports; false with the exit code.
bool ReadWhole(VerbContext& context, bool wifi, PrinterReport& report, int& exit) {
    Connection connection(context.services, context.port);
    Outcome outcome;
    if (!connection.CheckPort(VariantFor(wifi), outcome) ||
        !ReadPrinter(connection, wifi, report, outcome)) {
        exit = Fail(context.output, outcome);
        return false;
    }
    return true;
}

}  // namespace

int ShowPrinter(VerbContext& context, bool wifi) {
    PrinterReport report;
    int exit = kExitDone;
    if (ReadWhole(context, wifi, report, exit)) {
        context.output.Show(context.port.portName, report);
    }
    return exit;
}

int ApplySettings(VerbContext& context, const Settings& settings, const NetworkPlan& network) {
    const ApplyReport report = Apply(context.services, context.port, settings, network);
    if (!report.outcome.Ok()) {
        return Fail(context.output, report.outcome);
    }
    context.output.Applied(report, settings.size());
    return kExitDone;
}

int SetKeys(VerbContext& context, const std::vector<std::string>& pairs,
            const NetworkPlan& network) {
    Settings settings;
    InputError error;
    for (const std::string& pair : pairs) {
        if (!AddKeyValue(settings, pair, context.env, error)) {
            return Fail(context.output, InputOutcome(error));
        }
    }
    return ApplySettings(context, settings, network);
}

int ApplyProfile(VerbContext& context, const std::string& file, const NetworkPlan& network) {
    Settings settings;
    int exit = kExitDone;
    return Load(context.output, file, context.env, settings, exit)
               ? ApplySettings(context, settings, network)
               : exit;
}

int DiffProfile(VerbContext& context, const std::string& file) {
    Settings profile;
    int exit = kExitDone;
    if (!Load(context.output, file, context.env, profile, exit)) {
        return exit;
    }
    PrinterReport report;
    if (!ReadWhole(context, HasWifiKeys(profile), report, exit)) {
        return exit;
    }
    std::vector<KeyId> unverifiable;
    std::vector<Difference> differences = CompareValues(profile, report.values, unverifiable);
    Outcome comparison;
    if (!differences.empty()) {
        comparison = Failed(failure::ValuesDiffer{std::move(differences), false}, Step::None);
    }
    context.output.Diff(comparison, unverifiable);
    return ExitCodeOf(comparison);
}

int SaveProfile(VerbContext& context, const std::string& file, bool includeSecrets, bool wifi) {
    PrinterReport report;
    int exit = kExitDone;
    if (!ReadWhole(context, wifi, report, exit)) {
        return exit;
    }
    const Settings values = SavableValues(report);
    const ProfileText profile = WriteProfile(values, includeSecrets);
    std::vector<KeyId> secrets;
    for (const auto& [id, value] : values) {
        if (Spec(id).secret && !includeSecrets) {
            secrets.push_back(id);
        }
    }
    if (!WriteFileText(file, profile.text, includeSecrets)) {
        return Fail(context.output, FileUnwritable(file));
    }
    context.output.ProfileSaved(file, secrets, profile.leftOut);
    return kExitDone;
}

int CheckProfile(Output& output, const std::string& file, const EnvLookup& env,
                 const SerialLineSettings& line) {
    Settings settings;
    int exit = kExitDone;
    if (!Load(output, file, env, settings, exit)) {
        return exit;
    }
    InputError error;
    if (!CheckSettings(settings, line, error)) {
        error.source = file;
        return Fail(output, InputOutcome(error));
    }
    output.ProfileValid(file, settings.size());
    return kExitDone;
}

int ListKeys(Output& output) {
    output.Keys();
    return kExitDone;
}

}  // namespace tarvek::cli
