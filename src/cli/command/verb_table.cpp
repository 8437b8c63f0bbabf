#include "cli/command/verb_table.h"

#include <cstring>
#include <iterator>

#include "cli/command/bluetooth_verbs.h"
#include "cli/command/verb_handlers.h"

namespace tarvek::cli {
namespace {

// After a Wi-Fi save: wait for the printer to answer at tcp:<wifi.ip>:9100.
void DeclareNetworkCheck(CLI::App& verb, NetworkPlan& plan) {
    verb.add_flag("--verify-network", plan.verify,
                  "after a Wi-Fi save, wait until the printer answers at tcp:<wifi.ip>:9100");
    verb.add_option("--network-wait", plan.waitSeconds, "longest wait for it, seconds")
        ->check(CLI::Range(1, 3600))
        ->capture_default_str();
}

// The Bluetooth PIN's variable: pair's, and the cable-free station's factory PIN.
void DeclarePinVariable(CLI::App& verb, std::string& variable) {
    verb.add_option("--pin-env", variable,
                    "the environment variable that holds the printer's (factory) PIN")
        ->capture_default_str();
}

void NoOptions(CLI::App&, VerbOptions&) {}

void DeclareShow(CLI::App& verb, VerbOptions& o) {
    verb.add_flag("--wifi", o.show.wifi, "read every Wi-Fi register and the MAC address");
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
    CLI::Option* each =
        verb.add_flag("--each", o.apply.each, "the station loop: one printer after another");
    verb.add_flag("--label", o.apply.label, "a configuration label on each printer provisioned")
        ->needs(each);
    verb.add_option("--units", o.apply.units,
                    "CSV of per-unit values (a bluetooth.address column matches printers)");
    verb.add_option("--audit", o.apply.audit, "append one JSON line per printer to FILE");
    verb.add_option("--junit", o.apply.junit, "write a JUnit XML report, one case per printer");
    verb.add_option("--operator", o.apply.operatorName,
                    "the technician's name in the audit (default: the user's)");
    verb.add_option("--wait", o.apply.waitSeconds,
                    "longest wait for a printer to come or go, seconds")
        ->check(CLI::Range(1, 86400))
        ->capture_default_str();
    DeclareNetworkCheck(verb, o.apply.network);
    DeclarePinVariable(verb, o.apply.pinEnv);
    verb.add_flag("--unpair-after", o.apply.unpairAfter,
                  "with --port bt:units: forget each printer once provisioned");
}

void DeclareSend(CLI::App& verb, VerbOptions& o) {
    CLI::Option* hex = verb.add_option("--hex", o.send.hex, "the bytes as hex pairs: \"1C 45 43\"");
    CLI::Option* text =
        verb.add_option("--text", o.send.text, "the bytes as text (\\r, \\n, \\t, \\xHH)");
    CLI::Option* file = verb.add_option("--file", o.send.file, "the bytes of FILE");
    hex->excludes(text)->excludes(file);
    text->excludes(file);
    verb.add_option("--wait", o.send.waitMs, "how long to gather the answer, milliseconds")
        ->check(CLI::Range(0, 60000))
        ->capture_default_str();
    verb.add_option("--expect", o.send.expect, "stop waiting once N bytes came")
        ->check(CLI::Range(0, 65536));
    verb.add_flag("--force", o.send.force,
                  "send bytes that enter the Wi-Fi module's ISP mode or write its flash");
}

void DeclareReport(CLI::App& verb, VerbOptions& o) {
    verb.add_flag("--print", o.report.print,
                  "have the printer print it as a label (its Bluetooth address as a QR code too)");
}

void DeclareTerm(CLI::App& verb, VerbOptions& o) {
    verb.add_flag("--force", o.term.force,
                  "send lines that enter the Wi-Fi module's ISP mode or write its flash");
}

void DeclareBluetoothScan(CLI::App& verb, VerbOptions& o) {
    verb.add_option("--seconds", o.bluetooth.seconds, "how long to look for devices")
        ->check(CLI::Range(1, 120))
        ->capture_default_str();
}

void DeclareBluetoothAddress(CLI::App& verb, VerbOptions& o) {
    verb.add_option("address", o.bluetooth.address, "the device, AA:BB:CC:DD:EE:FF")->required();
}

void DeclareBluetoothPair(CLI::App& verb, VerbOptions& o) {
    DeclareBluetoothAddress(verb, o);
    DeclarePinVariable(verb, o.bluetooth.pinEnv);
}

constexpr unsigned kPrinter = kNeedsPort | kNeedsLink;

constexpr VerbSpec kVerbs[] = {
    {nullptr, "show", "everything the printer tells (--wifi: its Wi-Fi module too)", kPrinter,
     DeclareShow, RunShow},
    {nullptr, "set", "write settings given as KEY=VALUE, then read them back", kPrinter, DeclareSet,
     RunSet},
    {nullptr, "keys", "list the keys with their allowed values", kNeedsNothing, NoOptions, RunKeys},
    {nullptr, "ports",
     "list this machine's serial ports, USB printers and paired Bluetooth printers, who holds each",
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
    {nullptr, "apply",
     "apply FILE; with --each, to printer after printer (on several --port at once)", kPrinter,
     DeclareApply, RunApply, RunApplyOnPorts},
    {nullptr, "report",
     "the printer's and its Wi-Fi module's configuration; --print: as a label on the printer",
     kPrinter, DeclareReport, RunReport},
    {nullptr, "send",
     "write bytes in one write and show what comes back, in hex and text (exit 4: no answer)",
     kPrinter, DeclareSend, RunSend},
    {nullptr, "term",
     "a terminal on the port: lines typed are sent, answers shown in hex and text (:quit ends)",
     kPrinter, DeclareTerm, RunTerm},
    {"bluetooth", "scan", "look for Bluetooth devices; list them and which offer a serial port",
     kNeedsNothing, DeclareBluetoothScan, BluetoothScan},
    {"bluetooth", "pair", "pair with a Bluetooth printer (its PIN from --pin-env) and trust it",
     kNeedsNothing, DeclareBluetoothPair, BluetoothPair},
    {"bluetooth", "unpair", "remove the pairing with a Bluetooth device", kNeedsNothing,
     DeclareBluetoothAddress, BluetoothUnpair},
};

}  // namespace

const VerbSpec* VerbTable() {
    return kVerbs;
}

int VerbCount() {
    return static_cast<int>(std::size(kVerbs));
}

const char* GroupHelp(const char* group) {
    return std::strcmp(group, "profile") == 0     ? "save, apply, compare or check a profile"
           : std::strcmp(group, "bluetooth") == 0 ? "find, pair or unpair Bluetooth printers"
                                                  : "";
}

}  // namespace tarvek::cli
