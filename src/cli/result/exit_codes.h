// The program's exit codes, part of its interface: one table gives each code its meaning, and
// the help's footer is written from it.
#pragma once

#include <string>

namespace tarvek::cli {

enum ExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,   // the printer refused, or a value read back differs
    kExitBadInput = 2,  // bad command line or profile: nothing written
    kExitPort = 3,      // port missing, busy or held by an installed printer
    kExitNoAnswer = 4,  // no answer from the printer
    kExitInterrupted = 130,
};

// "Exit codes:" and one line per code, as the help shows them.
std::string ExitCodeHelp();

}  // namespace tarvek::cli
