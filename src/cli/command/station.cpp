#include "cli/command/station.h"

#include <ctime>
#include <fstream>
#include <set>

#include "cli/output/json_values.h"
#include "cli/settings/setting_rules.h"

namespace tarvek::cli {
namespace {

constexpr std::uint32_t kProbePauseMs = 1000;
// A printer counts as gone after this many probes in a row without an answer (or as soon as
// another printer answers), so one answer lost on the line does not start the next unit.
constexpr int kGoneAfterMisses = 2;

Settings Merged(const Settings& profile, const UnitRow* row) {
    Settings settings = profile;
    if (row != nullptr) {
        for (const auto& [id, value] : row->settings) {
            settings[id] = value;
        }
    }
    return settings;
}

// One look at the port: whether a printer answers, and its Bluetooth address ("" when it
// gives none).
bool Probe(VerbContext& context, std::string& address, Outcome& outcome) {
    Connection probe(context.services, context.port);
    address.clear();
    if (!probe.OpenPrinter(Step::Wait, outcome)) {
        return false;
    }
    const BluetoothResult bluetooth = probe.Printer().ReadBluetooth();
    if (bluetooth.addressRead) {
        address = bluetooth.address;
    }
    return true;
}

// Probes the port until a printer answers (present; address: the one that did), or until the
// printer with address has gone: silent for a few probes in a row, or another printer answers.
Outcome WaitFor(VerbContext& context, bool present, int waitSeconds, std::string& address) {
    Services& s = context.services;
    const std::uint32_t start = s.clock.NowMs();
    const std::string leaving = address;
    int misses = 0;
    for (;;) {
        Outcome outcome;
        const bool answered = Probe(context, address, outcome);
        if (outcome.Interrupted()) {
            return outcome;
        }
        misses = answered ? 0 : misses + 1;
        const bool gone = misses >= kGoneAfterMisses || (answered && address != leaving);
        if (present ? answered : gone) {
            return Outcome{};
        }
        if (ElapsedMs(start, s.clock.NowMs()) >= static_cast<std::uint32_t>(waitSeconds) * 1000) {
            return Failed(failure::WaitRanOut{!present, waitSeconds}, Step::Wait);
        }
        s.clock.Sleep(kProbePauseMs);
    }
}

Json AuditRecord(const StationPlan& plan, int unit, const std::string& address, const UnitRow* row,
                 const Settings& settings, const ApplyReport& report, const VerbContext& context) {
    Json record;
    record["time"] = plan.now ? plan.now() : "";
    record["unit"] = unit;
    record["port"] = context.port.portName;
    record["bluetooth.address"] = address;
    record["profile"] = plan.profileFile;
    if (row != nullptr) {
        record["units_line"] = row->line;
    }
    record["settings"] = SettingsJson(settings, context.output.Words());
    record.update(OutcomeJson(report.outcome, context.output.Words()));
    Json unverifiable = Json::array();
    for (KeyId key : report.unverifiable) {
        unverifiable.push_back(Spec(key).name);
    }
    record["unverifiable"] = unverifiable;
    if (report.network.result != Joined::NotAsked) {
        record["network"] = NetworkRecord(report.network);
    }
    return record;
}

}  // namespace

std::string UtcTimestamp() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    // The program has one thread: gmtime's shared result is safe here.
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return text;
}

bool CheckPlan(const StationPlan& plan, const SerialLineSettings& line, InputError& error) {
    if (plan.units == nullptr) {
        return CheckSettings(plan.profile, line, error);
    }
    for (const UnitRow& row : plan.units->rows) {
        if (!CheckSettings(Merged(plan.profile, &row), line, error)) {
            error.line = row.line;
            return false;
        }
    }
    return true;
}

int RunStation(VerbContext& context, const StationPlan& plan) {
    Output& output = context.output;
    std::ofstream audit;
    if (!plan.auditPath.empty()) {
        audit.open(plan.auditPath, std::ios::app);
        if (!audit) {
            return Fail(output, FileUnwritable(plan.auditPath));
        }
    }
    {
        Connection connection(context.services, context.port);
        Outcome held;
        if (!connection.CheckPort(VariantFor(HasWifiKeys(plan.profile)), held)) {
            return Fail(output, held);
        }
    }
    int done = 0, failed = 0;
    std::size_t nextRow = 0;
    std::set<const UnitRow*> used;
    Outcome end;
    for (int unit = 1;; ++unit) {
        output.StationWaiting(context.port.portName);
        std::string address;
        end = WaitFor(context, true, plan.waitSeconds, address);
        if (!end.Ok()) {
            break;
        }
        const UnitRow* row = nullptr;
        if (plan.units != nullptr) {
            row =
                plan.units->byAddress ? RowFor(*plan.units, address) : &plan.units->rows[nextRow++];
        }
        const Settings settings = Merged(plan.profile, row);
        output.UnitStarted(unit, address);
        ApplyReport report;
        if (plan.units != nullptr && row == nullptr) {
            report.outcome = Failed(failure::NoUnitRow{address}, Step::Check);
        } else {
            report = Apply(context.services, context.port, settings, plan.network);
        }
        const Outcome& outcome = report.outcome;
        if (outcome.Ok()) {
            ++done;
            used.insert(row);
        } else {
            ++failed;
        }
        const Json record = AuditRecord(plan, unit, address, row, settings, report, context);
        if (audit.is_open()) {
            audit << JsonLine(record) << "\n" << std::flush;
        }
        output.UnitEnded(unit, address, outcome, record);
        if (outcome.Interrupted()) {
            end = outcome;
            break;
        }
        const bool allRows =
            plan.units != nullptr && (plan.units->byAddress ? used.size() == plan.units->rows.size()
                                                            : nextRow == plan.units->rows.size());
        if (allRows) {
            output.StationNext(true);
            break;
        }
        output.StationNext(false);
        end = WaitFor(context, false, plan.waitSeconds, address);
        if (!end.Ok()) {
            break;
        }
    }
    int exit = done > 0 ? kExitDone : kExitNoAnswer;
    const failure::WaitRanOut* wait = end.As<failure::WaitRanOut>();
    if (end.Interrupted()) {
        exit = kExitInterrupted;
    } else if (failed > 0 || (wait != nullptr && wait->forPrinterToGo)) {
        exit = kExitRefused;
    }
    output.StationEnded(done, failed, exit, end);
    return exit;
}

}  // namespace tarvek::cli
