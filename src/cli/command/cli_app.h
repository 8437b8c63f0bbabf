// The command line of tarvek-cli, over the platform's links (or simulated ones in tests): CLI11
// parses it, the verbs do the work, the exit code comes back.
#pragma once

#include "cli/command/cli_platform.h"

namespace tarvek::cli {

int RunCli(int argc, const char* const* argv, Platform& platform);

}  // namespace tarvek::cli
