#include "wifimodule/wifi_sequences.h"

namespace tarvek {
namespace {

SequenceResult Failed(StepFailure failure, int step, int index) {
    SequenceResult r;
    r.failure = failure;
    r.step = step;
    r.index = index;
    return r;
}

void Report(const StepObserver& onStep, int done, int index, int next) {
    if (onStep) {
        onStep(StepDone{done, index, next});
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
    static_assert(kMacQueryIndex == kRegisterCount, "the MAC query follows the table");
    ModuleReply reply;
    // Each register, then the MAC address.
    for (int index = 0; index <= kMacQueryIndex; ++index) {
        const int step = index + 1;
        if (protocol.ReadRegister(index, reply) == 0) {
            return Failed(StepFailure::NoReply, step, index);
        }
        const bool accepted =
            ParseReply(index, reply.bytes, reply.count, ReplyMode::Read, settings) == 0;
        if (index == kPskRegister) {
            settings.kind = accepted ? WifiModuleKind::WpaCapable : WifiModuleKind::WepOnly;
            if (!accepted) {
                settings.images[kPskRegister].clear();
                settings.mac.clear();
                // A WEP-only module: no MAC address to read.
                Report(onStep, step, index, kNoNextStep);
                break;
            }
        } else if (!accepted) {
            return Failed(StepFailure::NotAcknowledged, step, index);
        }
        Report(onStep, step, index, index < kMacQueryIndex ? index + 1 : kNoNextStep);
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
    // Every register (the pre-shared key only to a module that has one), then the flash.
    const int written = settings.kind == WifiModuleKind::WpaCapable ? kRegisterCount : kPskRegister;
    int step = 0;
    for (int index = 0; index < written; ++index) {
        step = index + 1;
        const Bytes image = BuildRegisterImage(index, settings);
        const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        if (protocol.WriteRegister(index, payload, reply) == 0) {
            return Failed(StepFailure::NoReply, step, index);
        }
        if (ParseReply(index, reply.bytes, reply.count, ReplyMode::Write, scratch) != 0) {
            return Failed(StepFailure::NotAcknowledged, step, index);
        }
        // The unlock was the first step.
        Report(onStep, step + 1, index, index + 1 < written ? index + 1 : kFlashStepIndex);
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
    Report(onStep, step + 2, kFlashStepIndex, kNoNextStep);
    return done;
}

}  // namespace tarvek
