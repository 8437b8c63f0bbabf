#include "cli/command/port_verbs.h"

namespace tarvek::cli {

int ListPortsVerb(Output& output, const PortFinder& finder, const std::vector<std::string>& paths) {
    output.Ports(finder.list(paths));
    return kExitDone;
}

int DetectVerb(Output& output, const PortFinder& finder, const std::vector<std::string>& ports,
               const std::atomic<bool>& interrupted) {
    const std::vector<PortProbe> probes =
        ProbePorts(finder, finder.list(ports), ports.size(), interrupted);
    const Outcome detection = DetectionResult(probes, interrupted.load());
    output.Detected(probes, detection);
    return ExitCodeOf(detection);
}

}  // namespace tarvek::cli
