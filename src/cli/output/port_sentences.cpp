#include "cli/output/port_sentences.h"

#include <cstdio>

#include "cli/output/doctor.h"
#include "cli/output/finding_texts.h"
#include "cli/settings/port_request.h"

namespace tarvek::cli {

using texts::FormatText;

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

std::string EmulationKeyValue(int emulation) {
    Value value;
    value.number = emulation;
    return FormatValue(Spec(KeyId::Emulation), value);
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
                                  EmulationKeyValue(d.emulation).c_str());
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

}  // namespace tarvek::cli
