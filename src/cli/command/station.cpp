#include "cli/command/station.h"

#include <ctime>
#include <fstream>

#include "cli/command/report_verb.h"
#include "cli/output/audit_record.h"
#include "cli/platform/platform.h"
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
// Either wait also ends (over) once the station's rows are used up, on this port or others.
Outcome WaitFor(VerbContext& context, const StationBook& book, bool present, int waitSeconds,
                std::string& address, bool& over) {
    Services& s = context.services;
    const std::uint32_t start = s.clock.NowMs();
    const std::string leaving = address;
    int misses = 0;
    for (over = false;; s.clock.Sleep(kProbePauseMs)) {
        if (book.RowsUsedUp()) {
            over = true;
            return Outcome{};
        }
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
    }
}

// A printer's audit record as far as the plan, the port and its row tell it.
AuditRecord RecordOf(const StationPlan& plan, const VerbContext& context, int unit,
                     const std::string& address, const UnitRow* row) {
    AuditRecord record;
    record.time = plan.now ? plan.now() : "";
    record.station = plan.station;
    record.operatorName = plan.operatorName;
    record.unit = unit;
    record.port = context.port.portName;
    record.address = address;
    record.profile = plan.profileFile;
    record.profileSha256 = plan.profileSha256;
    if (row != nullptr) {
        record.unitsLine = row->line;
    }
    return record;
}

// The apply with the PIN left to an apply of its own, made once the rest is done: a printer
// that fails on the way keeps the PIN it was reached with.
ApplyReport ApplyPinLast(Services& services, const PortRequest& port, const Settings& settings,
                         const NetworkPlan& network) {
    Settings rest = settings;
    const auto pin = rest.find(KeyId::BluetoothPin);
    if (pin == rest.end()) {
        return Apply(services, port, settings, network);
    }
    const Settings pinAlone{*pin};
    rest.erase(pin);
    ApplyReport report = Apply(services, port, rest, network);
    if (report.outcome.Ok()) {
        ApplyReport last = Apply(services, port, pinAlone);
        report.outcome = last.outcome;
        report.unverifiable.insert(report.unverifiable.end(), last.unverifiable.begin(),
                                   last.unverifiable.end());
    }
    return report;
}

}  // namespace

std::string UtcTimestamp() {
    std::tm utc{};
    char text[32] = "";
    if (UtcTime(std::time(nullptr), utc)) {  // the station's workers ask at once
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    }
    return text;
}

Outcome Provision(VerbContext& context, const StationPlan& plan, StationBook& book, int unit,
                  const std::string& address, const UnitSteps& steps) {
    const std::uint32_t start = context.services.clock.NowMs();
    const UnitRow* row = book.TakeRow(address);
    const Settings settings = Merged(plan.profile, row);
    context.output.UnitStarted(unit, address);
    ApplyReport report;
    if (plan.units != nullptr && row == nullptr) {
        report.outcome = Failed(failure::NoUnitRow{address}, Step::Check);
    } else if (!steps.reached.Ok()) {
        report.outcome = steps.reached;
    } else if (steps.pinLast) {
        report = ApplyPinLast(context.services, context.port, settings, plan.network);
    } else {
        report = Apply(context.services, context.port, settings, plan.network);
    }
    if (report.outcome.Ok() && plan.label) {
        const std::string& file = plan.profileFile;
        const std::string name = file.substr(file.find_last_of("/\\") + 1);
        PrintReportLabel(context, plan.now ? plan.now() : "", name, plan.profileSha256,
                         report.outcome);
    }
    if (report.outcome.Ok() && steps.after) {
        report.outcome = steps.after(settings);
    }
    const Wording& words = context.output.Words();
    AuditRecord record = RecordOf(plan, context, unit, address, row);
    record.settings = settings;
    record.report = report;
    record.durationMs = ElapsedMs(start, context.services.clock.NowMs());
    StationCase done{record.port, address, unit, report.outcome.Ok(), "", record.durationMs};
    if (!done.ok) {
        done.failure =
            std::string(StepName(report.outcome.step)) + ": " + FailureText(report.outcome, words);
    }
    book.Record(row, AuditLine(record, words), done);
    context.output.UnitEnded(record);
    return report.outcome;
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

StationTally RunStationOn(VerbContext& context, const StationPlan& plan, StationBook& book) {
    Output& output = context.output;
    StationTally tally;
    for (int unit = 1;; ++unit) {
        output.StationWaiting(context.port.portName);
        std::string address;
        bool over = false;
        tally.end = WaitFor(context, book, true, plan.waitSeconds, address, over);
        if (!tally.end.Ok() || over) {
            break;
        }
        const Outcome outcome = Provision(context, plan, book, unit, address);
        ++(outcome.Ok() ? tally.done : tally.failed);
        if (outcome.Interrupted()) {
            tally.end = outcome;
            break;
        }
        const bool rowsUsedUp = book.RowsUsedUp();
        output.StationNext(rowsUsedUp);
        if (rowsUsedUp) {
            break;
        }
        tally.end = WaitFor(context, book, false, plan.waitSeconds, address, over);
        if (!tally.end.Ok()) {
            break;
        }
    }
    return tally;
}

int EndStation(Output& output, const StationPlan& plan, const StationBook& book,
               const StationTally& total) {
    const std::vector<int> undone = book.RowsUndone();
    Outcome station = StationOutcome(total, !undone.empty());
    if (!plan.junitPath.empty()) {
        std::ofstream junit(plan.junitPath, std::ios::trunc);
        junit << JunitXml(plan.profileFile, book.Cases());
        if (!junit) {
            const Outcome unwritable = FileUnwritable(plan.junitPath);
            output.Failed(unwritable);
            station = station.Ok() ? unwritable : station;
        }
    }
    output.StationEnded(total, station, undone);
    return ExitCodeOf(station);
}

bool StationPortFree(VerbContext& context, const StationPlan& plan, Outcome& held) {
    Connection connection(context.services, context.port);
    return connection.CheckPort(VariantFor(HasWifiKeys(plan.profile)), held);
}

int RunStation(VerbContext& context, const StationPlan& plan) {
    StationBook book(plan.units);
    std::string unwritable;
    if (!book.OpenAudit(plan.auditPath, unwritable)) {
        return Fail(context.output, FileUnwritable(unwritable));
    }
    Outcome held;
    if (!StationPortFree(context, plan, held)) {
        return Fail(context.output, held);
    }
    return EndStation(context.output, plan, book, RunStationOn(context, plan, book));
}

}  // namespace tarvek::cli
