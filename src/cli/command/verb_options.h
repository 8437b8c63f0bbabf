// What the command line gives: the options every verb takes (before or after the verb's name)
// and each verb's own.
#pragma once

#include <string>
#include <vector>

#include "cli/session/network_check.h"
#include "cli/settings/port_request.h"

namespace tarvek::cli {

struct GlobalOptions {
    std::vector<std::string> ports;  // --port, as often as given
    LineOptions line;
    bool json = false;
    bool showSecrets = false;
    std::string lang;
    std::string trace;
};

struct ShowOptions {
    bool wifi = false;
};

struct SetOptions {
    std::vector<std::string> pairs;
    NetworkPlan network;
};

struct ProfileSaveOptions {
    std::string file;
    bool includeSecrets = false;
    bool noWifi = false;
};

// profile apply, diff and check.
struct ProfileFileOptions {
    std::string file;
};

// The environment variable that holds a Bluetooth printer's PIN unless --pin-env names another.
inline constexpr char kPinVariable[] = "TARVEK_BT_PIN";

struct ApplyOptions {
    std::string file;
    bool each = false;
    bool label = false;
    std::string units;
    std::string audit;
    std::string junit;
    std::string operatorName;
    int waitSeconds = 300;
    NetworkPlan network;
    // the cable-free station
    std::string pinEnv = kPinVariable;
    bool unpairAfter = false;
};

// bluetooth scan, pair and unpair.
struct BluetoothOptions {
    int seconds = 10;
    std::string address;
    std::string pinEnv = kPinVariable;
};

struct PortsOptions {
    std::vector<std::string> paths;  // device paths to describe too, first
};

struct SendOptions {
    std::string hex;
    std::string text;
    std::string file;
    int waitMs = 1000;
    int expect = 0;
    bool force = false;
};

struct TermOptions {
    bool force = false;
};

struct ReportOptions {
    bool print = false;
};

// One struct per verb; a verb declares and reads its own.
struct VerbOptions {
    ShowOptions show;
    SetOptions set;
    ProfileSaveOptions profileSave;
    ProfileFileOptions profileFile;
    ApplyOptions apply;
    PortsOptions ports;
    SendOptions send;
    ReportOptions report;
    TermOptions term;
    BluetoothOptions bluetooth;
};

}  // namespace tarvek::cli
