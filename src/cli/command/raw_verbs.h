// The verbs that put a technician's own bytes on the wire.
#pragma once

#include "cli/command/verb_context.h"
#include "cli/command/verb_options.h"

namespace tarvek::cli {

// Bytes as typed, hex pairs or text with escapes, that may go to the printer: false (and the
// refusal) for a bad pair or escape, or for bytes that would change the Wi-Fi module unless
// forced.
bool TypedBytes(const std::string& typed, bool hex, bool force, Bytes& bytes, InputError& error);
// Refuses bad bytes, and bytes that would change the Wi-Fi module without --force, before
// anything is sent.
int SendBytes(VerbContext& context, const SendOptions& options);

}  // namespace tarvek::cli
