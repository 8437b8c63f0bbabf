#include "cli/session/apply.h"

#include <algorithm>

#include "cli/session/compare.h"
#include "cli/session/printer_read.h"
#include "cli/settings/port_request.h"
#include "cli/settings/setting_rules.h"

namespace tarvek::cli {
namespace {

bool Refuse(Outcome& outcome, Problem problem, const char* key = "",
            SaveRefusal moduleRefusal = SaveRefusal::None) {
    InputError error;
    error.problem = problem;
    error.key = key;
    outcome = Failed(failure::InputRefused{error, moduleRefusal}, Step::Check);
    return false;
}

const Value* Find(const Settings& settings, KeyId id) {
    const auto it = settings.find(id);
    return it == settings.end() ? nullptr : &it->second;
}

// What the printer's emulation allows: a code page only in ESC/POS; in CPCL the printer is not
// told data bits or flow control, so they can only stay as they are.
bool FitsPrinter(const Settings& settings, int emulation, const SerialLineSettings& line,
                 Outcome& outcome) {
    if (emulation != kEmulationCpcl) {
        return true;
    }
    if (settings.count(KeyId::CodePage) != 0) {
        return Refuse(outcome, Problem::CodePageNeedsEscPos, Spec(KeyId::CodePage).name);
    }
    for (int f = 0; f < kLineFieldCount; ++f) {
        const LineField field = static_cast<LineField>(f);
        const Value* value = Find(settings, LineKey(field));
        if (!ToldInCpcl(field) && value != nullptr && value->number != line.*Field(field).member) {
            return Refuse(outcome, Problem::LineFixedInCpcl, Spec(LineKey(field)).name);
        }
    }
    return true;
}

// The Wi-Fi settings merged into what the module holds, checked before anything is written.
bool FitsModule(const Settings& settings, const ModuleSettings& toSave, Outcome& outcome) {
    if (toSave.encryption == Encryption::Wpa && toSave.kind != WifiModuleKind::WpaCapable) {
        return Refuse(outcome, Problem::WpaNotOffered, Spec(KeyId::WifiEncryption).name);
    }
    InputError error;
    if (!CheckEncryptionRules(settings, toSave.encryption, error)) {
        outcome = InputOutcome(error);
        return false;
    }
    const SaveRefusal refusal = CheckSave(WithEncryptionFixes(toSave));
    return refusal == SaveRefusal::None || Refuse(outcome, Problem::ModuleRefusal, "", refusal);
}

// One printer operation as a step: the printer opened (and asked its emulation) if it is not,
// then the operation, its result turned into the outcome.
template <class Operation>
bool Run(Connection& c, Step step, Outcome& outcome, Operation operation) {
    return c.OpenPrinter(step, outcome) && c.Took(operation(c.Printer()), step, outcome);
}

// A setting's number; 0 when it is not given (the minutes of a power-save mode).
int Number(const Value* value) {
    return value != nullptr ? static_cast<int>(value->number) : 0;
}

bool SavePrinterSettings(Connection& c, const Settings& settings, Outcome& outcome) {
    const Value* pin = Find(settings, KeyId::BluetoothPin);
    const Value* on = Find(settings, KeyId::BluetoothDiscoverable);
    const Value* mode = Find(settings, KeyId::PowerSave);
    const Value* minutes = Find(settings, KeyId::PowerSaveMinutes);
    const Value* page = Find(settings, KeyId::CodePage);
    return (!pin || Run(c, Step::Pin, outcome, [&](auto& p) { return p.SavePin(pin->text); })) &&
           (!on || Run(c, Step::Discoverable, outcome,
                       [&](auto& p) { return p.SaveDiscoverable(on->number == 1); })) &&
           (!mode ||
            Run(c, Step::PowerSave, outcome,
                [&](auto& p) { return p.SavePowerSave(Number(mode), Number(minutes)); })) &&
           (!page ||
            Run(c, Step::CodePage, outcome, [&](auto& p) { return p.SaveCodePage(Number(page)); }));
}

// The serial line, then the emulation: each ends the link.
bool SaveLineAndEmulation(Connection& c, const Settings& settings, Outcome& outcome) {
    if (HasSerialKeys(settings)) {
        const SerialLineSettings line = LineAfter(c.Request().line, settings);
        if (!Run(c, Step::Serial, outcome, [&](auto& p) { return p.SaveSerialConfig(line); })) {
            return false;
        }
        if (OnSerialLine(c.Request())) {
            c.UseLine(line);
        }
    }
    const Value* emulation = Find(settings, KeyId::Emulation);
    return !emulation || Run(c, Step::Emulation, outcome,
                             [&](auto& p) { return p.SetEmulation(Number(emulation)); });
}

// Everything the printer can report, at the line it was told to use, against what was asked.
bool ReadBack(Connection& c, const Settings& settings, const ModuleSettings* expected,
              ApplyReport& report) {
    Outcome& outcome = report.outcome;
    c.Close();
    Settings wanted;
    for (const auto& [id, value] : settings) {
        if (!IsWifiKey(id)) {
            wanted[id] = value;
        }
    }
    PrinterReport read;
    if (!ReadPrinter(c, false, read, outcome)) {
        const failure::Printer* silent = outcome.As<failure::Printer>();
        if (silent != nullptr && silent->failure == PrinterFailure::NoAnswer &&
            HasSerialKeys(settings) && OnSerialLine(c.Request())) {
            outcome.failure = failure::SilentAtNewLine{};
        }
        outcome.step = Step::ReadBack;
        return false;
    }
    std::vector<Difference> differences = CompareValues(wanted, read.values, report.unverifiable);
    if (expected != nullptr) {
        ModuleSettings after;
        if (!c.ReadModule(after, outcome)) {
            outcome.step = Step::ReadBack;
            return false;
        }
        const std::vector<Difference> module = CompareModule(*expected, after);
        differences.insert(differences.end(), module.begin(), module.end());
    }
    if (!differences.empty()) {
        outcome = Failed(failure::ValuesDiffer{std::move(differences), true}, Step::ReadBack);
        return false;
    }
    return true;
}

}  // namespace

bool HasWifiKeys(const Settings& settings) {
    return std::any_of(settings.begin(), settings.end(),
                       [](const auto& s) { return IsWifiKey(s.first); });
}

PortConflictVariant VariantFor(bool wifi) {
    return wifi ? PortConflictVariant::WifiDialog : PortConflictVariant::MainDialog;
}

ApplyReport Apply(Services& services, const PortRequest& port, const Settings& settings,
                  const NetworkPlan& network) {
    ApplyReport report;
    Outcome& outcome = report.outcome;
    InputError error;
    if (!CheckSettings(settings, port.line, error)) {
        outcome = InputOutcome(error);
        return report;
    }
    const bool wifi = HasWifiKeys(settings);
    Connection c(services, port);
    if (!c.CheckPort(VariantFor(wifi), outcome) || !c.OpenPrinter(Step::Open, outcome) ||
        !FitsPrinter(settings, c.Emulation(), port.line, outcome)) {
        return report;
    }
    ModuleSettings expected;
    if (wifi) {
        ModuleSettings before;
        if (!c.ReadModule(before, outcome)) {
            return report;
        }
        const ModuleSettings toSave = SettingsToSave(before, settings);
        if (!FitsModule(settings, toSave, outcome) || !c.WriteModule(toSave, outcome)) {
            return report;
        }
        expected = ModuleSession::ExpectedAfterSave(toSave);
    }
    if (!SavePrinterSettings(c, settings, outcome) || !SaveLineAndEmulation(c, settings, outcome) ||
        c.Stopped(Step::ReadBack, outcome)) {
        return report;
    }
    if (!ReadBack(c, settings, wifi ? &expected : nullptr, report) || !wifi || !network.verify) {
        return report;
    }
    c.Close();
    report.network = AwaitNetwork(services, expected.addresses[kIpRegister], network.waitSeconds);
    if (services.interrupted.load()) {
        report.outcome = Failed(failure::Interrupted{}, Step::Network);
    } else if (report.network.result == Joined::NotReached) {
        report.outcome =
            Failed(failure::NotJoined{report.network.port, report.network.seconds}, Step::Network);
    }
    return report;
}

}  // namespace tarvek::cli
