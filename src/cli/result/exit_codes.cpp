#include "cli/result/exit_codes.h"

#include <cstdio>

namespace tarvek::cli {
namespace {

struct ExitCodeMeaning {
    ExitCode code;
    const char* meaning;
};

constexpr ExitCodeMeaning kMeanings[] = {
    {kExitDone, "done (apply: every value read back as asked; diff: the printer matches)"},
    {kExitRefused, "the printer refused, or a value read back differs from what was asked"},
    {kExitBadInput, "bad command line or profile: nothing was written"},
    {kExitPort, "port missing, busy or held by an installed printer"},
    {kExitNoAnswer, "no answer from the printer"},
    {kExitInterrupted, "interrupted (Ctrl-C)"},
};

}  // namespace

std::string ExitCodeHelp() {
    std::string help = "Exit codes:\n";
    for (const ExitCodeMeaning& m : kMeanings) {
        char line[128];
        std::snprintf(line, sizeof line, "  %-4d %s\n", static_cast<int>(m.code), m.meaning);
        help += line;
    }
    return help;
}

}  // namespace tarvek::cli
