// An interactive terminal on the printer's port for a person: lines typed go out, what comes
// back is shown as it arrives, in hex beside its text.
#pragma once

#include <functional>
#include <istream>

#include "cli/command/verb_context.h"

namespace tarvek::cli {

struct TermInput {
    std::istream& lines;
    std::function<bool()> waiting;  // a line (or the end) can be read at once
};

// Ends with :quit, the end of the input or Ctrl-C. force: bytes that would change the Wi-Fi
// module are sent too.
int RunTerminal(VerbContext& context, TermInput input, bool force);

}  // namespace tarvek::cli
