// A verb's hold on one port: the platform's links tapped for Ctrl-C and the trace, and the
// services over them.
#pragma once

#include <functional>
#include <memory>

#include "cli/command/cli_app.h"
#include "cli/command/printer_verbs.h"
#include "cli/session/trace.h"

namespace tarvek::cli {

// A link of its own for a network port ("tcp:..."), in the serial link's place; nullptr for
// any other port.
std::unique_ptr<SerialPrinterLink> NetworkLinkFor(const Platform& platform,
                                                  const PortRequest& port);
// Runs run on port over serial (the platform's own, or one link of several) and the
// platform's USB link; trace may be nullptr.
int RunOnPort(Platform& platform, Output& output, SerialPrinterLink& serial, TraceRecorder* trace,
              const PortRequest& port, const std::function<int(VerbContext&)>& run);

}  // namespace tarvek::cli
