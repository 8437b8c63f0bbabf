#include "wifimodule/wifi_sequences.h"

namespace tarvek {
namespace {

struct SequenceStep {
    int index;
    int progress;  // -1: the step sets no progress position
};

constexpr SequenceStep kReadSteps[] = {
    {kIpRegister, 16},    {kNetmaskRegister, 33}, {kGatewayRegister, 50},
    {kDnsRegister, 66},   {kSsidRegister, 83},    {kOptionsRegister, -1},
    {kWep40Register, -1}, {kWep104Register, -1},  {kPassphraseRegister, -1},
    {kPskRegister, -1},   {kMacQueryIndex, -1},  // 09 05 refused: a WEP-only module
};

constexpr SequenceStep kWriteSteps[] = {
    {kIpRegister, 16},    {kNetmaskRegister, 33}, {kGatewayRegister, 50},
    {kDnsRegister, 66},   {kSsidRegister, 83},    {kOptionsRegister, -1},
    {kWep40Register, -1}, {kWep104Register, -1},  {kPassphraseRegister, -1},
    {kPskRegister, -1},
};

SequenceResult Failed(StepFailure failure, int step, int index) {
    SequenceResult r;
    r.failure = failure;
    r.step = step;
    r.index = index;
    return r;
}

void Report(const StepObserver& onStep, int done, int index, int progress) {
    if (onStep) {
        onStep(done, index, progress);
    }
}

}  // namespace

int ReadStepCount(WifiModuleKind kind) {
    return kind == WifiModuleKind::WepOnly ? kRegisterCount : kRegisterCount + 1;
}

int SaveStepCount(WifiModuleKind kind) {
    return 1 + (kind == WifiModuleKind::WpaCapable ? kRegisterCount : kRegisterCount - 1) + 1;
}

SequenceResult ReadWifiSettings(WifiModuleProtocol& protocol, ModuleSettings& settings,
                                const StepObserver& onStep) {
    ModuleReply reply;
    int step = 0;
    for (const SequenceStep& s : kReadSteps) {
        ++step;
        if (protocol.ReadRegister(s.index, reply) == 0) {
            return Failed(StepFailure::NoReply, step, s.index);
        }
        const bool accepted =
            ParseReply(s.index, reply.bytes, reply.count, ReplyMode::Read, settings) == 0;
        if (s.index == kPskRegister) {
            settings.kind = accepted ? WifiModuleKind::WpaCapable : WifiModuleKind::WepOnly;
            if (!accepted) {
                settings.images[kPskRegister].clear();
                settings.mac.clear();
            }
            Report(onStep, step, s.index, s.progress);
            if (!accepted) {
                break;  // a WEP-only module: no MAC address to read
            }
            continue;
        }
        if (!accepted) {
            return Failed(StepFailure::NotAcknowledged, step, s.index);
        }
        Report(onStep, step, s.index, s.progress);
    }
    return SequenceResult{};
}

SequenceResult WriteWifiSettings(WifiModuleProtocol& protocol, const ModuleSettings& asked,
                                 const StepObserver& onStep) {
    const ModuleSettings settings = WithEncryptionFixes(asked);
    const SaveRefusal refusal = CheckSave(settings);
    if (refusal != SaveRefusal::None) {
        SequenceResult r = Failed(StepFailure::Refused, 0, 0);
        r.refusal = refusal;
        return r;
    }
    ModuleReply reply;
    ModuleSettings scratch;  // a write's reply carries no settings
    protocol.UnlockRegisters(reply);
    int step = 0;
    for (const SequenceStep& s : kWriteSteps) {
        ++step;
        if (s.index == kPskRegister && settings.kind != WifiModuleKind::WpaCapable) {
            --step;
            break;
        }
        const Bytes image = BuildRegisterImage(s.index, settings);
        const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        if (protocol.WriteRegister(s.index, payload, reply) == 0) {
            return Failed(StepFailure::NoReply, step, s.index);
        }
        if (ParseReply(s.index, reply.bytes, reply.count, ReplyMode::Write, scratch) != 0) {
            return Failed(StepFailure::NotAcknowledged, step, s.index);
        }
        Report(onStep, step + 1, s.index, s.progress);  // the unlock was the first step
    }
    // A module that answers the flash with anything but "701" did not commit the settings; one
    // that stays silent may have (modules are not known to answer it), so only a read-back can
    // tell.
    SequenceResult done;
    done.flashAnswered = protocol.FlashRegisters(reply) > 0;
    if (done.flashAnswered &&
        ParseReply(kFlashStepIndex, reply.bytes, reply.count, ReplyMode::Write, scratch) != 0) {
        return Failed(StepFailure::NotAcknowledged, step + 1, kFlashStepIndex);
    }
    Report(onStep, step + 2, kFlashStepIndex, -1);
    return done;
}

}  // namespace tarvek
