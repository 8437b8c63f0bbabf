#include "cli/command/verb_handlers.h"

#include "cli/command/bluetooth_station.h"
#include "cli/command/cli_platform.h"
#include "cli/command/parallel_station.h"
#include "cli/command/port_verbs.h"
#include "cli/command/printer_verbs.h"
#include "cli/command/raw_verbs.h"
#include "cli/command/report_verb.h"
#include "cli/command/station.h"
#include "cli/command/term_verb.h"
#include "cli/command/verb_plan.h"
#include "cli/settings/port_request.h"

namespace tarvek::cli {

int RunShow(Invocation& i) {
    return ShowPrinter(*i.printer, i.options.show.wifi);
}

int RunSet(Invocation& i) {
    return SetKeys(*i.printer, i.options.set.pairs, i.options.set.network);
}

int RunKeys(Invocation& i) {
    return ListKeys(i.output);
}

int RunPorts(Invocation& i) {
    return ListPortsVerb(i.output, i.platform.finder, i.options.ports.paths);
}

int RunDetect(Invocation& i) {
    return DetectVerb(i.output, i.platform.finder, i.global.ports, i.platform.interrupted);
}

int RunProfileSave(Invocation& i) {
    const ProfileSaveOptions& o = i.options.profileSave;
    return SaveProfile(*i.printer, o.file, o.includeSecrets, !o.noWifi);
}

int RunProfileApply(Invocation& i) {
    return ApplyProfile(*i.printer, i.options.profileFile.file);
}

int RunProfileDiff(Invocation& i) {
    return DiffProfile(*i.printer, i.options.profileFile.file);
}

int RunProfileCheck(Invocation& i) {
    PortRequest port;
    InputError error;
    MakePortRequest("-", LineOptions{}, port, error);  // the line's first choices
    return CheckProfile(i.output, i.options.profileFile.file, i.platform.env, port.line);
}

int RunApply(Invocation& i) {
    if (!i.options.apply.each) {
        return ApplyProfile(*i.printer, i.options.apply.file, i.options.apply.network);
    }
    StationPlan plan;
    Units units;
    Outcome refused;
    if (!MakeStationPlan(i, i.printer->port.line, plan, units, refused)) {
        return Fail(i.output, refused);
    }
    return RunStation(*i.printer, plan);
}

int RunApplyOnPorts(Invocation& i) {
    StationPlan plan;
    Units units;
    Outcome refused;
    if (i.global.ports.size() == 1) {  // "bt:units", the one name that stands for several printers
        PortRequest line;
        InputError error;
        MakePortRequest("-", i.global.line, line, error);
        return MakeStationPlan(i, line.line, plan, units, refused) ? RunBluetoothStation(i, plan)
                                                                   : Fail(i.output, refused);
    }
    std::vector<PortRequest> ports;
    if (!MakeStationPorts(i, ports, refused) ||
        !MakeStationPlan(i, ports.front().line, plan, units, refused)) {
        return Fail(i.output, refused);
    }
    return RunStations(i, ports, plan);
}

int RunReport(Invocation& i) {
    const std::string time = i.platform.now ? i.platform.now() : std::string();
    return ReportPrinter(*i.printer, i.options.report.print, time);
}

int RunTerm(Invocation& i) {
    Platform& p = i.platform;
    if (p.in == nullptr || !p.inputWaiting) {
        return ExitCodeOf(CommandLineRefused());  // a platform without a console: not from main
    }
    return RunTerminal(*i.printer, TermInput{*p.in, p.inputWaiting}, i.options.term.force);
}

int RunSend(Invocation& i) {
    return SendBytes(*i.printer, i.options.send);
}

}  // namespace tarvek::cli
