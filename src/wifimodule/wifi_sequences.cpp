#include "wifimodule/wifi_sequences.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "wifimodule/psk.h"

namespace tarvek {
namespace {

struct SequenceStep {
    int index;
    int progress;  // -1: the step sets no progress position
};

constexpr SequenceStep kReadSteps[] = {
    {0, 16}, {1, 33}, {2, 50}, {3, 66}, {4, 83},  {5, -1},
    {6, -1}, {7, -1}, {8, -1}, {9, -1}, {10, -1},  // 9 refused: a WEP-only module
};

constexpr SequenceStep kWriteSteps[] = {
    {0, 16}, {1, 33}, {2, 50}, {3, 66}, {4, 83}, {5, -1}, {6, -1}, {7, -1}, {8, -1}, {9, -1},
};

constexpr int kPskStep = 9;  // table index of the pre-shared key register
constexpr int kMinWpaPassphrase = 8;
constexpr int kMaxWpaPassphrase = 31;

SequenceResult Failed(StepFailure failure, int step, int index) {
    SequenceResult r;
    r.failure = failure;
    r.step = step;
    r.index = index;
    return r;
}

// At most the field's 64-byte buffer less its terminating zero; the module takes 32 bytes.
void CopyText(char (&field)[64], const std::string& text) {
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, text.data(), std::min(text.size(), sizeof(field) - 1));
}

// The WPA mode of each entry of the WPA Authentication list.
constexpr int kWpaModes[] = {0, 2, 4};

// The WPA mode of a list entry; any other value is used unchanged.
int MapWpaAuth(int selection) {
    return selection >= 0 && selection < static_cast<int>(std::size(kWpaModes))
               ? kWpaModes[selection]
               : selection;
}

// The option members from the controls (the save's packing rules).
void TakeOptions(const WifiFormValues& form, WifiSettings& s) {
    s.m_nWifiMode = form.wifiMode;
    s.m_nChannel = form.channel + 1;
    s.m_nWepType = form.encryption;
    s.m_nKeyId = form.keyId;
    s.m_nAuthMode = form.auth;
    if (s.m_nWepType == 3) {
        s.m_nWepType = 0;
        s.m_nKeyId = 0;
        s.m_nAuthMode = 2;
        s.m_nWpaMode = MapWpaAuth(form.wpaAuth);
        s.m_nWpaCipher = form.wpaCipher;
        return;
    }
    if (s.m_nWepType == 0) {
        s.m_nAuthMode = 1;
    }
    s.m_nWpaMode = 0;
    s.m_nWpaCipher = 0;
}

// Prepares the settings for the image of one write step from the controls.
void PrepareStep(int index, const WifiFormValues& form, WifiSettings& s) {
    if (index >= 0 && index <= 3) {
        s.SetAddress(form.address[index]);
    } else if (index == 4) {
        std::memset(s.m_szWpaPassphrase, 0, sizeof(s.m_szWpaPassphrase));
        CopyText(s.m_szSsid, form.ssid);
    } else if (index == 5) {
        TakeOptions(form, s);
    } else if (index == 8) {
        CopyText(s.m_szWpaPassphrase, form.wpaKey);
    } else if (index == kPskStep) {
        const Psk psk = DerivePsk(s.m_szWpaPassphrase, s.m_szSsid);
        std::copy(psk.begin(), psk.end(), s.m_abPsk);
    }
}

}  // namespace

int WpaAuthEntry(int wpaMode) {
    const auto* at = std::find(std::begin(kWpaModes), std::end(kWpaModes), wpaMode);
    return at == std::end(kWpaModes) ? -1 : static_cast<int>(at - std::begin(kWpaModes));
}

SequenceResult ReadWifiSettings(WifiModuleProtocol& protocol, WifiSettings& settings,
                                const StepObserver& onStep) {
    std::memset(settings.m_szWep40Hex, 0, sizeof(settings.m_szWep40Hex));
    std::memset(settings.m_szWep104Hex, 0, sizeof(settings.m_szWep104Hex));
    ModuleReply reply;
    int step = 0;
    for (const SequenceStep& s : kReadSteps) {
        ++step;
        if (protocol.ReadRegister(s.index, reply) == 0) {
            return Failed(StepFailure::NoReply, step, s.index);
        }
        const bool accepted =
            ParseReply(s.index, reply.bytes, reply.count, ReplyMode::Read, settings) == 0;
        if (s.index == kPskStep) {
            settings.m_nModuleKind = accepted ? kModuleWpaCapable : kModuleWepOnly;
            if (onStep) {
                onStep(step, s.index, s.progress);
            }
            if (!accepted) {
                break;  // a WEP-only module: no MAC address to read
            }
            continue;
        }
        if (!accepted) {
            return Failed(StepFailure::NotAcknowledged, step, s.index);
        }
        if (onStep) {
            onStep(step, s.index, s.progress);
        }
    }
    return SequenceResult{};
}

SaveRefusal ValidateSave(const WifiFormValues& form, const WifiSettings& settings) {
    const int e = form.encryption;
    // Every list whose selection the save packs must have one: an empty selection would be
    // written as a bit pattern the module does not know.
    const bool wpa = e == 3;
    const bool keyIdPacked = !wpa;
    const bool authPacked = e == 1 || e == 2;
    if (form.wifiMode < 0 || form.channel < 0 || e < 0 || (keyIdPacked && form.keyId < 0) ||
        (authPacked && form.auth < 0) || (wpa && (form.wpaAuth < 0 || form.wpaCipher < 0))) {
        return SaveRefusal::NoSelection;
    }
    if (settings.m_nModuleKind != kModuleWepOnly && settings.m_nModuleKind != kModuleWpaCapable) {
        return SaveRefusal::NotRead;
    }
    const int k = form.keyId;
    if ((e == 1 || e == 2) && k >= 0 && k < kWepKeyCount) {
        const std::size_t length = form.keyText[k].size();
        const std::size_t bytes = e == 1 ? 5 : 13;
        if (settings.m_nKeyFormat[k] == kKeyFormatAscii) {
            if (length > bytes) {
                return SaveRefusal::KeyTooLong;
            }
        } else if (length != 2 * bytes) {
            return SaveRefusal::KeyLengthNotMatched;
        }
    }
    if (wpa) {
        const int length = static_cast<int>(form.wpaKey.size());
        if (length > kMaxWpaPassphrase || length < kMinWpaPassphrase) {
            return SaveRefusal::WpaKeyLength;
        }
    }
    return SaveRefusal::None;
}

SequenceResult WriteWifiSettings(WifiModuleProtocol& protocol, WifiSettings& settings,
                                 const WifiFormValues& form, const StepObserver& onStep) {
    const SaveRefusal refusal = ValidateSave(form, settings);
    if (refusal != SaveRefusal::None) {
        SequenceResult r = Failed(StepFailure::Refused, 0, 0);
        r.refusal = refusal;
        return r;
    }
    KeyEntry entry;
    entry.encryption = form.encryption;
    entry.keyId = form.keyId;
    for (int k = 0; k < kWepKeyCount; ++k) {
        entry.keyText[k] = form.keyText[k];
    }
    ModuleReply reply;
    protocol.UnlockRegisters(reply);
    int step = 0;
    for (const SequenceStep& s : kWriteSteps) {
        ++step;
        if (s.index == kPskStep && settings.m_nModuleKind != kModuleWpaCapable) {
            break;
        }
        PrepareStep(s.index, form, settings);
        const Bytes image = BuildRegisterImage(s.index, settings, entry);
        const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        if (protocol.WriteRegister(s.index, payload, reply) == 0) {
            return Failed(StepFailure::NoReply, step, s.index);
        }
        if (ParseReply(s.index, reply.bytes, reply.count, ReplyMode::Write, settings) != 0) {
            return Failed(StepFailure::NotAcknowledged, step, s.index);
        }
        if (onStep) {
            onStep(step, s.index, s.progress);
        }
    }
    WipeSecret(settings.m_abPsk, sizeof(settings.m_abPsk));
    // A module that answers the flash with anything but "701" did not commit the settings; one
    // that stays silent may have (modules are not known to answer it), so only a read-back can
    // tell.
    SequenceResult done;
    done.flashAnswered = protocol.FlashRegisters(reply) > 0;
    if (done.flashAnswered &&
        ParseReply(-1, reply.bytes, reply.count, ReplyMode::Write, settings) != 0) {
        return Failed(StepFailure::NotAcknowledged, step + 1, kFlashStepIndex);
    }
    return done;
}

}  // namespace tarvek
