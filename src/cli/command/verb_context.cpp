#include "cli/command/verb_context.h"

namespace tarvek::cli {

int Fail(Output& output, const Outcome& outcome) {
    output.Failed(outcome);
    return ExitCodeOf(outcome);
}

}  // namespace tarvek::cli
