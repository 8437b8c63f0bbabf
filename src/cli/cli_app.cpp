#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>

#include "cli/doctor.h"
#include "cli/finding.h"
#include "cli/link_tap.h"
#include "cli/port_address.h"
#include "cli/profile.h"
#include "cli/rules.h"
#include "cli/station.h"
#include "texts/localized_text.h"
#include "texts/port_texts.h"

#ifdef TARVEK_HAVE_VERSION_HEADER
#include "tarvek_version.h"
#endif

namespace tarvek::cli {
namespace {

#ifdef TARVEK_HAVE_VERSION_HEADER
const std::string kVersion{kTarvekVersion};
#else
const std::string kVersion{TARVEK_CLI_VERSION};
#endif

constexpr const char* kDescription =
    "tarvek-cli: scripted, verified setup of mobile label printers. Reads what a printer tells,\n"
    "writes settings given as KEY=VALUE or as a profile, reads them back, and runs a station\n"
    "loop that provisions printer after printer with an audit trail.";

constexpr const char* kFooter =
    "Exit codes:\n"
    "  0    done (apply: every value read back as asked; diff: the printer matches)\n"
    "  1    the printer refused, or a value read back differs from what was asked\n"
    "  2    bad command line or profile: nothing was written\n"
    "  3    port missing, busy or held by an installed printer\n"
    "  4    no answer from the printer\n"
    "  130  interrupted (Ctrl-C)\n"
    "\"tarvek-cli keys\" lists the settings and their values.";

struct Arguments {
    std::string port;
    LineOptions line;
    bool json = false;
    bool showSecrets = false;
    std::string lang;
    std::string trace;
    bool wifi = false;
    std::vector<std::string> pairs;
    std::string file;
    bool includeSecrets = false;
    bool noWifi = false;
    bool each = false;
    std::string units;
    std::string audit;
    int waitSeconds = 300;
    std::vector<std::string> paths;  // ports: paths to describe too; detect: the ports to probe
};

void AddPortOptions(CLI::App* verb, Arguments& a) {
    verb->add_option("--port", a.port,
                     "COM3, \\\\.\\COM12 or USB (Windows); /dev/ttyUSB0, /dev/rfcomm0 (Linux); "
                     "auto: the one port where \"detect\" finds a printer, at its line")
        ->required();
    verb->add_option("--baud", a.line.baud, "the printer's current line: baud rate")
        ->capture_default_str();
    verb->add_option("--parity", a.line.parity, "none, odd or even")->capture_default_str();
    verb->add_option("--data-bits", a.line.dataBits, "7 or 8")->capture_default_str();
    verb->add_option("--stop-bits", a.line.stopBits, "1 or 2")->capture_default_str();
    verb->add_option("--flow", a.line.flow, "dtr-dsr (DTR/DSR) or xon-xoff (Xon/Xoff)")
        ->capture_default_str();
}

void AddOutputOptions(CLI::App& app, Arguments& a) {
    app.add_flag("--json", a.json, "one JSON document (JSON Lines in the station loop)");
    app.add_option("--lang", a.lang, "en or ko (default: the system's language)")
        ->check(CLI::IsMember({"en", "ko"}));
    app.add_option("--trace", a.trace, "write every byte both ways, with times, to FILE");
    app.add_flag("--show-secrets", a.showSecrets,
                 "show PIN, WEP keys and passphrase in output, trace and audit");
}

CLI::App* Verb(CLI::App& parent, const char* name, const char* help) {
    CLI::App* verb = parent.add_subcommand(name, help);
    verb->fallthrough();
    return verb;
}

int Dispatch(CLI::App& app, Arguments& a, Platform& platform) {
    const int codePage = a.lang == "ko"   ? texts::kKoreanCodePage
                         : a.lang == "en" ? 0
                                          : platform.systemCodePage;
    Reporter reporter(platform.out, platform.err, a.json, platform.progress,
                      Wording{codePage, a.showSecrets});
    reporter.SetDoctor([&platform, codePage](const Outcome& outcome) {
        return DoctorAdvice(outcome, platform.finder, codePage);
    });
    if (app.got_subcommand("keys")) {
        return ListKeys(reporter);
    }
    if (app.got_subcommand("ports")) {
        return ListPortsVerb(reporter, platform.finder, a.paths);
    }
    if (app.got_subcommand("detect")) {
        return DetectVerb(reporter, platform.finder, a.paths, platform.interrupted);
    }
    PortRequest port;
    InputError error;
    CLI::App* profile = app.get_subcommand("profile");
    if (profile->got_subcommand("check")) {
        MakePortRequest("-", LineOptions{}, port, error);  // the line's first choices
        return CheckProfile(reporter, a.file, platform.env, port.line);
    }
    if (!MakePortRequest(a.port, a.line, port, error) ||
        !CheckSettings(Settings{}, port.line, error)) {
        return Fail(reporter, InputOutcome(error));
    }
    // "auto": the port and the line are the ones detection finds.
    Outcome search;
    if (a.port == "auto" &&
        !FindPrinter(reporter, platform.finder, platform.interrupted, port, search)) {
        return Fail(reporter, search);
    }
    std::ofstream traceFile;
    std::unique_ptr<TraceRecorder> trace;
    if (!a.trace.empty()) {
        traceFile.open(a.trace, std::ios::trunc);
        if (!traceFile) {
            error.problem = Problem::FileUnwritable;
            error.source = a.trace;
            return Fail(reporter, InputOutcome(error));
        }
        trace = std::make_unique<TraceRecorder>(traceFile, platform.clock, a.showSecrets);
    }
    LinkTap tap(platform.interrupted, trace.get());
    TappedSerialLink serial(platform.serial, tap, platform.clock);
    TappedUsbLink usb(platform.usb, tap, platform.clock);
    TransportKind kind = port.kind;
    Services services{
        ChannelSet{serial, usb, kind},
        platform.clock,
        platform.conflictCheck,
        platform.interrupted,
        trace.get(),
        [&reporter](Step step, int done, int total) { reporter.Progress(step, done, total); },
        [&reporter] { reporter.Warn(texts::kPrinterListUnreadable.text.english); }};
    VerbContext context{services, reporter, port, platform.env};
    if (app.got_subcommand("show")) {
        return ShowPrinter(context, a.wifi);
    }
    if (app.got_subcommand("set")) {
        return SetKeys(context, a.pairs);
    }
    if (profile->got_subcommand("save")) {
        return SaveProfile(context, a.file, a.includeSecrets, !a.noWifi);
    }
    if (profile->got_subcommand("diff")) {
        return DiffProfile(context, a.file);
    }
    if (!a.each) {
        return ApplyProfile(context, a.file);
    }
    StationPlan plan;
    plan.profileFile = a.file;
    plan.auditPath = a.audit;
    plan.waitSeconds = a.waitSeconds;
    plan.now = platform.now;
    Units units;
    if (!a.units.empty()) {
        plan.units = &units;
    }
    if (!LoadProfile(a.file, platform.env, plan.profile, error) ||
        (plan.units != nullptr && !LoadUnits(a.units, platform.env, units, error)) ||
        !CheckPlan(plan, port.line, error)) {
        return Fail(reporter, InputOutcome(error));
    }
    return RunStation(context, plan);
}

}  // namespace

int RunCli(int argc, const char* const* argv, Platform& platform) {
    Arguments a;
    CLI::App app(kDescription, "tarvek-cli");
    app.footer(kFooter);
    app.set_version_flag("--version", "tarvek-cli " + kVersion);
    app.require_subcommand(1);
    // The same syntax on every system: "/x" is a path (a Unix one, or one from a POSIX shell on
    // Windows), never an option.
    app.allow_windows_style_options(false);
    AddOutputOptions(app, a);

    CLI::App* show =
        Verb(app, "show", "everything the printer tells (--wifi: its Wi-Fi module too)");
    AddPortOptions(show, a);
    show->add_flag("--wifi", a.wifi, "read every Wi-Fi register and the MAC address");

    CLI::App* set = Verb(app, "set", "write settings given as KEY=VALUE, then read them back");
    AddPortOptions(set, a);
    set->add_option("settings", a.pairs, "KEY=VALUE (\"tarvek-cli keys\" lists the keys)")
        ->required();

    Verb(app, "keys", "list the keys with their allowed values");

    Verb(app, "ports", "list this machine's serial ports and USB printers, who holds each")
        ->add_option("paths", a.paths, "other device paths to describe (first)");
    Verb(app, "detect", "find the line settings at which a printer answers (queries only)")
        ->add_option("--port", a.paths, "a port to probe (repeatable; default: every free one)");

    CLI::App* profile = Verb(app, "profile", "save, apply, compare or check a profile");
    profile->require_subcommand(1);
    CLI::App* save = Verb(*profile, "save", "write what the printer reports to FILE");
    AddPortOptions(save, a);
    save->add_option("file", a.file, "the profile to write")->required();
    save->add_flag("--include-secrets", a.includeSecrets,
                   "also write the passphrase and WEP keys (the file is made owner-only)");
    save->add_flag("--no-wifi", a.noWifi, "leave the Wi-Fi module out");
    for (const char* name : {"apply", "diff"}) {
        CLI::App* verb =
            Verb(*profile, name,
                 name[0] == 'a' ? "write FILE's settings, then read them back"
                                : "compare the printer with FILE (exit 0: it matches)");
        AddPortOptions(verb, a);
        verb->add_option("file", a.file, "the profile")->required();
    }
    Verb(*profile, "check", "check FILE alone (no printer)")
        ->add_option("file", a.file, "the profile")
        ->required();

    CLI::App* apply = Verb(app, "apply", "apply FILE; with --each, to printer after printer");
    AddPortOptions(apply, a);
    apply->add_option("file", a.file, "the profile")->required();
    apply->add_flag("--each", a.each, "the station loop: one printer after another");
    apply->add_option("--units", a.units,
                      "CSV of per-unit values (a bluetooth.address column matches printers)");
    apply->add_option("--audit", a.audit, "append one JSON line per printer to FILE");
    apply->add_option("--wait", a.waitSeconds, "longest wait for a printer to come or go, seconds")
        ->check(CLI::Range(1, 86400))
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, platform.out, platform.err);
        return code == 0 ? kExitDone : kExitBadInput;
    }
    return Dispatch(app, a, platform);
}

}  // namespace tarvek::cli
