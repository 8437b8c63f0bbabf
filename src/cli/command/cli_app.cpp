#include "cli/command/cli_app.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <map>
#include <memory>

#include "cli/command/bluetooth_station.h"
#include "cli/command/bluetooth_verbs.h"
#include "cli/command/verb_table.h"
#include "cli/output/doctor.h"
#include "cli/session/port_search.h"
#include "cli/command/port_run.h"
#include "cli/settings/port_request.h"
#include "cli/settings/profile.h"
#include "cli/settings/setting_rules.h"
#include "cli/command/station.h"
#include "link/network/tcp_link.h"
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

void AddGlobalOptions(CLI::App& app, GlobalOptions& g) {
    app.add_option("--port", g.ports,
                   "COM3, \\\\.\\COM12 or USB (Windows); /dev/ttyUSB0 or /dev/rfcomm0 "
                   "(Linux); bt:AA:BB:CC:DD:EE:FF (a paired Bluetooth printer); tcp:HOST[:PORT] "
                   "(the printer on the network, port 9100 by default; printer settings only); "
                   "auto: the one port where \"detect\" finds a printer, at its line")
        ->allow_extra_args(false);  // one port per --port: what follows is the verb's
    // In the order of the line's fields.
    const char* const lineHelp[kLineFieldCount] = {"the printer's current line: baud rate",
                                                   "none, odd or even", "7 or 8", "1 or 2",
                                                   "dtr-dsr (DTR/DSR) or xon-xoff (Xon/Xoff)"};
    for (int f = 0; f < kLineFieldCount; ++f) {
        app.add_option("--" + LineOptionName(static_cast<LineField>(f)), g.line.field[f],
                       lineHelp[f])
            ->capture_default_str();
    }
    app.add_flag("--json", g.json, "one JSON document (JSON Lines in the station loop)");
    app.add_option("--lang", g.lang, "en or ko (default: the system's language)")
        ->check(CLI::IsMember({"en", "ko"}));
    app.add_option("--trace", g.trace, "write every byte both ways, with times, to FILE");
    app.add_flag("--show-secrets", g.showSecrets,
                 "show PIN, WEP keys and passphrase in output, trace and audit");
}

// Each verb of the table as a subcommand (a group verb such as "profile" made once); the
// options of the program reach every verb, before or after its name.
std::vector<CLI::App*> DeclareVerbs(CLI::App& app, VerbOptions& options) {
    std::vector<CLI::App*> verbs;
    std::map<std::string, CLI::App*> groups;
    for (int i = 0; i < VerbCount(); ++i) {
        const VerbSpec& spec = VerbTable()[i];
        CLI::App* parent = &app;
        if (spec.group != nullptr) {
            CLI::App*& group = groups[spec.group];
            if (group == nullptr) {
                group = app.add_subcommand(spec.group, GroupHelp(spec.group));
                group->fallthrough();
                group->require_subcommand(1);
            }
            parent = group;
        }
        CLI::App* verb = parent->add_subcommand(spec.name, spec.help);
        verb->fallthrough();
        spec.declare(*verb, options);
        verbs.push_back(verb);
    }
    return verbs;
}

// The port a verb that needs one talks to: given once ("auto": found by detection).
bool ResolvePort(const GlobalOptions& g, Platform& platform, Output& output, PortRequest& port,
                 int& exit) {
    InputError error;
    if (g.ports.size() != 1) {
        error.problem = g.ports.empty() ? Problem::PortMissing : Problem::SeveralPorts;
        exit = Fail(output, InputOutcome(error));
        return false;
    }
    if (!MakePortRequest(g.ports.front(), g.line, port, error) ||
        !CheckSettings(Settings{}, port.line, error)) {
        exit = Fail(output, InputOutcome(error));
        return false;
    }
    if (g.ports.front() != "auto") {
        return true;
    }
    Outcome search;
    PortInfo found;
    if (!FindPrinter(platform.finder, platform.interrupted, port, found, search)) {
        exit = Fail(output, search);
        return false;
    }
    output.PortChosen(port, found);
    return true;
}

// Runs a verb that talks to a printer: the links tapped for Ctrl-C and the trace.
int RunWithLink(Invocation& invocation, const VerbSpec& spec, const PortRequest& port) {
    Platform& platform = invocation.platform;
    std::ofstream traceFile;
    std::unique_ptr<TraceRecorder> trace;
    int exit = kExitDone;
    if (!OpenTrace(invocation, traceFile, trace, exit)) {
        return exit;
    }
    const std::unique_ptr<SerialPrinterLink> own =
        OwnLinkFor(platform, invocation.output, port, exit);
    if (exit != kExitDone) {
        return exit;
    }
    return RunOnPort(platform, invocation.output, own ? *own : platform.serial, trace.get(), port,
                     [&](VerbContext& context) {
                         invocation.printer = &context;
                         return spec.run(invocation);
                     });
}

int Dispatch(const VerbSpec& spec, const GlobalOptions& g, const VerbOptions& options,
             Platform& platform) {
    const int codePage = g.lang == "ko"   ? texts::kKoreanCodePage
                         : g.lang == "en" ? 0
                                          : platform.systemCodePage;
    const std::unique_ptr<Output> output =
        MakeOutput(g.json, {platform.progress, platform.liveLines}, platform.out, platform.err,
                   Wording{codePage, g.showSecrets});
    output->SetDoctor([&platform, codePage](const Outcome& outcome) {
        return DoctorAdvice(outcome, platform.finder, codePage);
    });
    Invocation invocation{platform, *output, g, options};
    if ((spec.needs & kNeedsPort) == 0) {
        return spec.run(invocation);
    }
    if (spec.runOnPorts != nullptr &&
        (g.ports.size() > 1 || (g.ports.size() == 1 && IsBluetoothUnitsPort(g.ports.front())))) {
        return spec.runOnPorts(invocation);
    }
    PortRequest port;
    int exit = kExitDone;
    if (!ResolvePort(g, platform, *output, port, exit)) {
        return exit;
    }
    return RunWithLink(invocation, spec, port);
}

}  // namespace

int RunCli(int argc, const char* const* argv, Platform& platform) {
    GlobalOptions global;
    VerbOptions options;
    CLI::App app(kDescription, "tarvek-cli");
    app.footer(ExitCodeHelp() + "\"tarvek-cli keys\" lists the settings and their values.");
    app.set_version_flag("--version", "tarvek-cli " + kVersion);
    app.require_subcommand(1);
    // The same syntax on every system: "/x" is a path (a Unix one, or one from a POSIX shell on
    // Windows), never an option.
    app.allow_windows_style_options(false);
    AddGlobalOptions(app, global);
    const std::vector<CLI::App*> verbs = DeclareVerbs(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // CLI11 says what was wrong, or shows the help or the version asked for.
        const bool refused = app.exit(e, platform.out, platform.err) != 0;
        return ExitCodeOf(refused ? CommandLineRefused() : Outcome{});
    }
    for (int i = 0; i < VerbCount(); ++i) {
        if (verbs[i]->parsed()) {
            return Dispatch(VerbTable()[i], global, options, platform);
        }
    }
    return ExitCodeOf(CommandLineRefused());  // CLI11 requires a verb: not reached
}

}  // namespace tarvek::cli
