#include "cli/session/port_search.h"

namespace tarvek::cli {
namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : ", ") + name;
    }
    return joined;
}

}  // namespace

std::vector<PortProbe> ProbePorts(const PortFinder& finder, const std::vector<PortInfo>& listed,
                                  std::size_t named, const std::atomic<bool>& interrupted) {
    std::vector<PortProbe> probes;
    std::vector<std::string> ports;
    for (const PortInfo& port : listed) {
        if (named != 0 && probes.size() == named) {
            break;  // the scan's own ports follow the named ones
        }
        const bool serial = port.transport == TransportKind::Serial;
        if (named != 0 || serial) {
            // A port the caller named is probed even while another program has it open.
            const bool leftAlone = port.held == PortCheck::Held &&
                                   (named == 0 || port.holder.kind != HolderKind::Process);
            PortProbe probe;
            probe.port = port;
            probe.probed = serial && port.kind != PortKind::Missing && !leftAlone;
            if (probe.probed) {
                ports.push_back(port.name);
            }
            probes.push_back(std::move(probe));
        }
    }
    DetectionPlan plan;
    plan.cancel = &interrupted;
    const std::vector<LineDetection> found =
        ports.empty() ? std::vector<LineDetection>{} : finder.detect(ports, plan);
    auto next = found.begin();
    for (PortProbe& probe : probes) {
        if (probe.probed && next != found.end()) {
            probe.detection = *next++;
        }
    }
    return probes;
}

Outcome DetectionResult(const std::vector<PortProbe>& probes, bool interrupted) {
    bool found = false, silent = false;
    std::vector<std::string> probed;
    for (const PortProbe& probe : probes) {
        if (probe.probed) {
            probed.push_back(probe.port.name);
        }
        found = found || (probe.probed && probe.detection.outcome == DetectionOutcome::Found);
        silent = silent || (probe.probed && probe.detection.outcome == DetectionOutcome::NoAnswer);
    }
    if (interrupted) {
        return Failed(failure::Interrupted{}, Step::Detect);
    }
    if (found) {
        return Outcome{};
    }
    return Failed(failure::PortSearch{false, !silent, Joined(probed)}, Step::Detect);
}

bool FindPrinter(const PortFinder& finder, const std::atomic<bool>& interrupted,
                 PortRequest& request, PortInfo& chosen, Outcome& outcome) {
    const std::vector<PortInfo> listed = finder.list({});
    const std::vector<PortProbe> probes = ProbePorts(finder, listed, 0, interrupted);
    std::vector<const PortProbe*> found;
    std::vector<std::string> probed, foundNames;
    for (const PortProbe& probe : probes) {
        if (probe.probed) {
            probed.push_back(probe.port.name);
        }
        if (probe.probed && probe.detection.outcome == DetectionOutcome::Found) {
            found.push_back(&probe);
            foundNames.push_back(probe.port.name);
        }
    }
    if (interrupted.load()) {
        outcome = Failed(failure::Interrupted{}, Step::Detect);
        return false;
    }
    if (found.size() > 1) {
        outcome = Failed(failure::PortSearch{true, false, Joined(foundNames)}, Step::Detect);
        return false;
    }
    if (found.size() == 1) {
        chosen = found.front()->port;
        request.kind = TransportKind::Serial;
        request.portName = chosen.name;
        request.line = found.front()->detection.line;
        return true;
    }
    // No serial port has a printer: a USB printer nobody holds is the one, if it is alone.
    std::vector<const PortInfo*> usb;
    std::vector<std::string> usbNames;
    for (const PortInfo& port : listed) {
        if (port.kind == PortKind::UsbPrinter && port.held != PortCheck::Held) {
            usb.push_back(&port);
            usbNames.push_back(port.name);
        }
    }
    if (usb.size() == 1) {
        chosen = *usb.front();
        request.kind = TransportKind::Usb;
        request.portName = chosen.name;
        return true;
    }
    outcome =
        Failed(failure::PortSearch{!usb.empty(), false, Joined(usb.empty() ? probed : usbNames)},
               Step::Detect);
    return false;
}

}  // namespace tarvek::cli
