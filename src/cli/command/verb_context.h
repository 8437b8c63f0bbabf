// What a verb that talks to one printer works with: the services that reach it, the output it
// reports through, the port with its line and the environment its values may name; and the
// one way a verb ends with a failure.
#pragma once

#include "cli/output/output.h"

namespace tarvek::cli {

struct VerbContext {
    Services& services;
    Output& output;
    PortRequest port;
    EnvLookup env;
};

// Reports a failure and gives its exit code.
int Fail(Output& output, const Outcome& outcome);

}  // namespace tarvek::cli
