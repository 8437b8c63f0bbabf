// A verb's hold on one port: the platform's links tapped for Ctrl-C and the trace, and the
// services over them.
#pragma once

#include <fstream>
#include <functional>
#include <memory>

#include "cli/command/cli_platform.h"
#include "cli/command/verb_context.h"
#include "cli/command/verb_table.h"
#include "cli/session/trace.h"

namespace tarvek::cli {

// The recorder of --trace over its file (none without --trace); false (the failure reported,
// exit set) when the file cannot be written.
bool OpenTrace(Invocation& invocation, std::ofstream& file, std::unique_ptr<TraceRecorder>& trace,
               int& exit);
// The link of its own a network or Bluetooth port takes in the serial link's place; nullptr
// for any other port, or (the failure reported, exit set) for a Bluetooth printer that cannot
// be reached.
std::unique_ptr<SerialPrinterLink> OwnLinkFor(Platform& platform, Output& output,
                                              const PortRequest& port, int& exit);
// Runs run on port over serial (the platform's own, or one link of several) and the
// platform's USB link; trace may be nullptr.
int RunOnPort(Platform& platform, Output& output, SerialPrinterLink& serial, TraceRecorder* trace,
              const PortRequest& port, const std::function<int(VerbContext&)>& run);

}  // namespace tarvek::cli
