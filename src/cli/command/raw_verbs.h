// The verbs that put a technician's own bytes on the wire.
#pragma once

#include "cli/command/printer_verbs.h"
#include "cli/command/verb_options.h"

namespace tarvek::cli {

// Refuses bad bytes, and bytes that would change the Wi-Fi module without --force, before
// anything is sent.
int SendBytes(VerbContext& context, const SendOptions& options);

}  // namespace tarvek::cli
