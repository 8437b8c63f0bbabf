// The verbs of tarvek-cli in one table, as git keeps its commands: each verb's name (a verb of
// a group, such as "profile save", names its group), its help, what it needs before it runs and
// its handler. The command line is declared from this table and dispatched through it.
#pragma once

#include <CLI/CLI.hpp>

#include "cli/command/verb_options.h"
#include "cli/command/verb_context.h"

namespace tarvek::cli {

struct Platform;

enum VerbNeeds : unsigned {
    kNeedsNothing = 0,
    kNeedsPort = 1u << 0,  // one port, given or found by "auto", with the printer's line
    kNeedsLink = 1u << 1,  // the links, tapped for Ctrl-C and --trace
};

// What a handler works with; printer is set for a verb that needs a port and its link.
struct Invocation {
    Platform& platform;
    Output& output;
    const GlobalOptions& global;
    const VerbOptions& options;
    VerbContext* printer = nullptr;
};

struct VerbSpec {
    const char* group;  // nullptr, or the group verb it belongs to ("profile")
    const char* name;
    const char* help;
    unsigned needs;
    void (*declare)(CLI::App& verb, VerbOptions& options);
    int (*run)(Invocation& invocation);
    // With more than one --port: the verb resolves them itself (nullptr: one port only).
    int (*runOnPorts)(Invocation& invocation) = nullptr;
};

const VerbSpec* VerbTable();
int VerbCount();

// The help of a group verb ("profile").
const char* GroupHelp(const char* group);

}  // namespace tarvek::cli
