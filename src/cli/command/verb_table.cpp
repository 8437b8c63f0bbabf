#include "cli/command/verb_table.h"

#include <cstring>

#include "cli/command/cli_app.h"
#include "cli/command/port_verbs.h"
#include "cli/settings/profile.h"
#include "cli/settings/setting_rules.h"
#include "cli/command/station.h"

namespace tarvek::cli {
namespace {

void NoOptions(CLI::App&, VerbOptions&) {}

void DeclareShow(CLI::App& verb, VerbOptions& o) {
    verb.add_flag("--wifi", o.show.wifi, "read every Wi-Fi register and the MAC address");
}

// After a Wi-Fi save: wait for the printer to answer at tcp:<wifi.ip>:9100.
void DeclareNetworkCheck(CLI::App& verb, NetworkPlan& plan) {
    verb.add_flag("--verify-network", plan.verify,
                  "after a Wi-Fi save, wait until the printer answers at tcp:<wifi.ip>:9100");
    verb.add_option("--network-wait", plan.waitSeconds, "longest wait for it, seconds")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
}

void DeclareSet(CLI::App& verb, VerbOptions& o) {
    verb.add_option("settings", o.set.pairs, "KEY=VALUE (\"tarvek-cli keys\" lists the keys)")
        ->required();
    DeclareNetworkCheck(verb, o.set.network);
}

void DeclarePorts(CLI::App& verb, VerbOptions& o) {
    verb.add_option("paths", o.ports.paths, "other device paths to describe (first)");
}

void DeclareProfileSave(CLI::App& verb, VerbOptions& o) {
    verb.add_option("file", o.profileSave.file, "the profile to write")->required();
    verb.add_flag("--include-secrets", o.profileSave.includeSecrets,
                  "also write the passphrase and WEP keys (the file is made owner-only)");
    verb.add_flag("--no-wifi", o.profileSave.noWifi, "leave the Wi-Fi module out");
}

void DeclareProfileFile(CLI::App& verb, VerbOptions& o) {
    verb.add_option("file", o.profileFile.file, "the profile")->required();
}

void DeclareApply(CLI::App& verb, VerbOptions& o) {
    verb.add_option("file", o.apply.file, "the profile")->required();
    verb.add_flag("--each", o.apply.each, "the station loop: one printer after another");
    verb.add_option("--units", o.apply.units,
                    "CSV of per-unit values (a bluetooth.address column matches printers)");
    verb.add_option("--audit", o.apply.audit, "append one JSON line per printer to FILE");
    verb.add_option("--wait", o.apply.waitSeconds,
                    "longest wait for a printer to come or go, seconds")
        ->check(CLI::Range(1, 86400))
        ->capture_default_str();
    DeclareNetworkCheck(verb, o.apply.network);
}

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
    const ApplyOptions& o = i.options.apply;
    if (!o.each) {
        return ApplyProfile(*i.printer, o.file, o.network);
    }
    StationPlan plan;
    plan.profileFile = o.file;
    plan.auditPath = o.audit;
    plan.waitSeconds = o.waitSeconds;
    plan.now = i.platform.now;
    plan.network = o.network;
    Units units;
    if (!o.units.empty()) {
        plan.units = &units;
    }
    InputError error;
    if (!LoadProfile(o.file, i.platform.env, plan.profile, error) ||
        (plan.units != nullptr && !LoadUnits(o.units, i.platform.env, units, error)) ||
        !CheckPlan(plan, i.printer->port.line, error)) {
        return Fail(i.output, InputOutcome(error));
    }
    return RunStation(*i.printer, plan);
}

constexpr unsigned kPrinter = kNeedsPort | kNeedsLink;

constexpr VerbSpec kVerbs[] = {
    {nullptr, "show", "everything the printer tells (--wifi: its Wi-Fi module too)", kPrinter,
     DeclareShow, RunShow},
    {nullptr, "set", "write settings given as KEY=VALUE, then read them back", kPrinter, DeclareSet,
     RunSet},
    {nullptr, "keys", "list the keys with their allowed values", kNeedsNothing, NoOptions, RunKeys},
    {nullptr, "ports", "list this machine's serial ports and USB printers, who holds each",
     kNeedsNothing, DeclarePorts, RunPorts},
    {nullptr, "detect",
     "find the line settings at which a printer answers (queries only; --port: the ports to "
     "probe, default every free one)",
     kNeedsNothing, NoOptions, RunDetect},
    {"profile", "save", "write what the printer reports to FILE", kPrinter, DeclareProfileSave,
     RunProfileSave},
    {"profile", "apply", "write FILE's settings, then read them back", kPrinter, DeclareProfileFile,
     RunProfileApply},
    {"profile", "diff", "compare the printer with FILE (exit 0: it matches)", kPrinter,
     DeclareProfileFile, RunProfileDiff},
    {"profile", "check", "check FILE alone (no printer)", kNeedsNothing, DeclareProfileFile,
     RunProfileCheck},
    {nullptr, "apply", "apply FILE; with --each, to printer after printer", kPrinter, DeclareApply,
     RunApply},
};

}  // namespace

const VerbSpec* VerbTable() {
    return kVerbs;
}

int VerbCount() {
    return static_cast<int>(std::size(kVerbs));
}

const char* GroupHelp(const char* group) {
    return std::strcmp(group, "profile") == 0 ? "save, apply, compare or check a profile" : "";
}

}  // namespace tarvek::cli
