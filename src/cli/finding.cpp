#include "cli/finding.h"

#include <cstdio>

#include "cli/doctor.h"
#include "cli/finding_texts.h"
#include "cli/port_address.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

// JSON names, in the order of PortKind, HolderKind and PortAccess.
constexpr const char* kKindNames[] = {"serial-cable", "usb-serial", "bluetooth",
                                      "usb-printer",  "other",      "missing"};
constexpr const char* kHolderKinds[] = {"windows-printer", "cups-queue", "process"};
constexpr const char* kAccessNames[] = {"allowed", "denied", "unknown"};

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

std::string HolderText(const PortHolder& h, int cp) {
    switch (h.kind) {
        case HolderKind::WindowsPrinter:
            return FormatText(text::kHeldByPrinter.For(cp), h.printerName.c_str(),
                              h.portName.c_str());
        case HolderKind::CupsQueue:
            return FormatText(text::kHeldByQueue.For(cp), h.printerName.c_str(),
                              h.portName.c_str());
        case HolderKind::Process:
            return FormatText(text::kHeldByProcess.For(cp), h.printerName.c_str(), h.processId);
    }
    return "";
}

// "USB serial adapter 0403:6001", "Bluetooth serial port 00:19:01:2A:3B:4C".
std::string KindText(const PortInfo& p, int cp) {
    std::string kind = text::kPortKinds[static_cast<int>(p.kind)].For(cp);
    if (p.vendorId != 0 || p.productId != 0) {
        kind += " " + Hex4(p.vendorId) + ":" + Hex4(p.productId);
    }
    if (!p.bluetoothAddress.empty()) {
        kind += " " + p.bluetoothAddress;
    }
    return kind;
}

Json PortJson(const PortInfo& p, int cp) {
    Json json;
    json["name"] = p.name;
    json["friendly_name"] = p.friendlyName;
    json["kind"] = kKindNames[static_cast<int>(p.kind)];
    json["aliases"] = p.aliases;
    if (p.vendorId != 0 || p.productId != 0) {
        json["vendor_id"] = Hex4(p.vendorId);
        json["product_id"] = Hex4(p.productId);
    }
    json["bluetooth_address"] = p.bluetoothAddress;
    json["serial_number"] = p.serialNumber;
    json["holder"] = nullptr;
    if (p.held == PortCheck::Held) {
        json["holder"] = {{"kind", kHolderKinds[static_cast<int>(p.holder.kind)]},
                          {"name", p.holder.printerName},
                          {"port", p.holder.portName},
                          {"process_id", p.holder.processId}};
    }
    json["all_processes_seen"] = p.allProcessesSeen;
    json["kernel_driver"] = p.kernelDriver;
    json["access"] = kAccessNames[static_cast<int>(p.access)];
    json["access_group"] = p.accessGroup;
    json["in_access_group"] = p.inAccessGroup;
    json["advice"] = PortAdvice(p, false, cp);
    return json;
}

std::string PortLines(const PortInfo& p, int cp) {
    std::string lines = p.name + "  " + KindText(p, cp);
    if (!p.friendlyName.empty()) {
        lines += "  " + p.friendlyName;
    }
    std::vector<std::string> notes;
    for (const std::string& alias : p.aliases) {
        notes.push_back(FormatText(text::kAlsoNamed.For(cp), alias.c_str()));
    }
    if (p.held == PortCheck::Held) {
        notes.push_back(HolderText(p.holder, cp));
    }
    if (p.access == PortAccess::Denied) {
        notes.push_back(FormatText(text::kAccessDenied.For(cp), p.accessGroup.c_str()));
    }
    if (!p.kernelDriver.empty()) {
        notes.push_back(FormatText(text::kKernelDriver.For(cp), p.kernelDriver.c_str()));
    }
    notes.push_back(PortAdvice(p, false, cp));
    for (const std::string& note : notes) {
        lines += note.empty() ? "" : "\n    " + note;
    }
    return lines;
}

// A port of the machine and, where it was probed, what detection found on it.
struct PortProbe {
    PortInfo port;
    bool probed = false;
    LineDetection detection;
};

// Probes ports of the machine's list: its first named entries, the ports the caller named (a
// port an installed printer or a queue holds is left alone); with none named, every serial
// port nobody holds.
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

std::string EmulationName(int emulation) {
    Value value;
    value.number = emulation;
    return FormatValue(Spec(KeyId::Emulation), value);
}

Json LineJson(const SerialLineSettings& line) {
    Json json = Json::object();
    for (const auto& [name, value] : LineValues(line)) {
        json[name] = value;
    }
    return json;
}

constexpr const char* kOutcomeNames[] = {"found", "no-answer", "open-failed", "cancelled"};

Json ProbeJson(const PortProbe& probe, int cp) {
    Json json;
    json["port"] = probe.port.name;
    if (!probe.probed) {
        json["result"] = "skipped";
        json["holder"] =
            probe.port.held == PortCheck::Held ? HolderText(probe.port.holder, cp) : "";
        json["advice"] = PortAdvice(probe.port, false, cp);
        return json;
    }
    const LineDetection& d = probe.detection;
    json["result"] = kOutcomeNames[static_cast<int>(d.outcome)];
    json["settings_tried"] = d.settingsTried;
    if (d.outcome == DetectionOutcome::Found) {
        json["line"] = LineJson(d.line);
        json["emulation"] = EmulationName(d.emulation);
    }
    return json;
}

std::string ProbeText(const PortProbe& probe, int cp) {
    const char* port = probe.port.name.c_str();
    std::string advice;
    std::string line;
    if (!probe.probed) {
        const std::string why = probe.port.held == PortCheck::Held
                                    ? HolderText(probe.port.holder, cp)
                                    : KindText(probe.port, cp);
        line = FormatText(text::kDetectSkipped.For(cp), port, why.c_str());
        advice = PortAdvice(probe.port, false, cp);
    } else {
        const LineDetection& d = probe.detection;
        switch (d.outcome) {
            case DetectionOutcome::Found:
                line = FormatText(text::kDetectFound.For(cp), port, LineFlags(d.line).c_str(),
                                  EmulationName(d.emulation).c_str());
                break;
            case DetectionOutcome::NoAnswer:
                line = FormatText(text::kDetectNoAnswer.For(cp), port, d.settingsTried);
                break;
            case DetectionOutcome::OpenFailed:
                line = FormatText(text::kDetectOpenFailed.For(cp), port);
                advice = PortAdvice(probe.port, true, cp);
                break;
            case DetectionOutcome::Cancelled:
                return "";
        }
    }
    return advice.empty() ? line : line + "\n    " + advice;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : ", ") + name;
    }
    return joined;
}

}  // namespace

int ListPortsVerb(Reporter& reporter, const PortFinder& finder,
                  const std::vector<std::string>& paths) {
    const int cp = reporter.Words().codePage;
    const std::vector<PortInfo> ports = finder.list(paths);
    Json json = OutcomeJson(Outcome{}, reporter.Words());
    json["ports"] = Json::array();
    bool unseen = false;
    for (const PortInfo& port : ports) {
        json["ports"].push_back(PortJson(port, cp));
        reporter.Say(PortLines(port, cp));
        unseen = unseen || !port.allProcessesSeen;
    }
    reporter.Line(json);
    if (ports.empty()) {
        reporter.Say(text::kNoPorts.For(cp));
    }
    if (unseen) {
        reporter.Warn(text::kSomeProcessesUnseen.For(cp));
    }
    return kExitDone;
}

int DetectVerb(Reporter& reporter, const PortFinder& finder, const std::vector<std::string>& ports,
               const std::atomic<bool>& interrupted) {
    const int cp = reporter.Words().codePage;
    const std::vector<PortProbe> probes =
        ProbePorts(finder, finder.list(ports), ports.size(), interrupted);
    bool found = false, silent = false;
    Json list = Json::array();
    for (const PortProbe& probe : probes) {
        found = found || (probe.probed && probe.detection.outcome == DetectionOutcome::Found);
        silent = silent || (probe.probed && probe.detection.outcome == DetectionOutcome::NoAnswer);
        list.push_back(ProbeJson(probe, cp));
        const std::string line = ProbeText(probe, cp);
        if (!line.empty()) {
            reporter.Say(line);
        }
    }
    const int exit = interrupted.load() ? kExitInterrupted
                     : found            ? kExitDone
                     : silent           ? kExitNoAnswer
                                        : kExitPort;
    if (probes.empty()) {
        reporter.Say(text::kNothingToProbe.For(cp));
    }
    Json json = OutcomeJson(Outcome{}, reporter.Words());
    json["ok"] = exit == kExitDone;
    json["exit"] = exit;
    json["ports"] = list;
    reporter.Line(json);
    return exit;
}

bool FindPrinter(Reporter& reporter, const PortFinder& finder, const std::atomic<bool>& interrupted,
                 PortRequest& request, Outcome& outcome) {
    const int cp = reporter.Words().codePage;
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
    outcome.step = Step::Detect;
    if (interrupted.load()) {
        outcome.failure = Failure::Interrupted;
        return false;
    }
    if (found.size() > 1) {
        outcome.failure = Failure::SeveralPrinters;
        outcome.port = Joined(foundNames);
        return false;
    }
    if (found.size() == 1) {
        request.kind = TransportKind::Serial;
        request.portName = found.front()->port.name;
        request.line = found.front()->detection.line;
        reporter.Warn(FormatText(text::kAutoFound.For(cp), request.portName.c_str(),
                                 LineFlags(request.line).c_str()));
        return true;
    }
    // No serial port has a printer: a USB printer nobody holds is the one, if it is alone.
    std::vector<PortInfo> usb;
    std::vector<std::string> usbNames;
    for (const PortInfo& port : listed) {
        if (port.kind == PortKind::UsbPrinter && port.held != PortCheck::Held) {
            usb.push_back(port);
            usbNames.push_back(port.name);
        }
    }
    if (usb.size() == 1) {
        request.kind = TransportKind::Usb;
        request.portName = usb.front().name;
        reporter.Warn(FormatText(text::kAutoFound.For(cp), request.portName.c_str(),
                                 KindText(usb.front(), cp).c_str()));
        return true;
    }
    outcome.failure = usb.empty() ? Failure::NoPrinterFound : Failure::SeveralPrinters;
    outcome.port = Joined(usb.empty() ? probed : usbNames);
    return false;
}

}  // namespace tarvek::cli
