#include "wifimodule/wifi_settings.h"

#include <algorithm>
#include <cstring>

namespace tarvek {
namespace {

template <std::size_t N>
std::string KeyText(const std::array<std::uint8_t, N>& key, int format) {
    if (format == kKeyFormatAscii) {
        const char* text = reinterpret_cast<const char*>(key.data());
        return std::string(text, strnlen(text, N));
    }
    return EncodeHexText(key.data(), static_cast<int>(N));
}

template <std::size_t N>
void Assign(std::array<std::uint8_t, N>& key, const Bytes& bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), N), key.begin());
}

}  // namespace

std::string WifiSettings::StoredKeyText(Encryption size, int k, int format) const {
    if (k < 0 || k >= kWepKeyCount) {
        return "";
    }
    const auto i = static_cast<std::size_t>(k);
    return size == Encryption::Wep40 ? KeyText(module.wep40[i], format)
                                     : KeyText(module.wep104[i], format);
}

int WifiSettings::WepType() const {
    const Bytes& options = module.images[kOptionsRegister];
    return options.size() > static_cast<std::size_t>(kImageDataOffset + kWepTypeBits.byte)
               ? kWepTypeBits.Of(options.data() + kImageDataOffset)
               : 0;
}

Bytes WepKeyBytes(const WifiSettings& settings, const KeyEntry& entry, Encryption size, int k) {
    const WepKeyLength* length = WepKeyLengthOf(size);
    if (length == nullptr || k < 0 || k >= kWepKeyCount) {
        return {};
    }
    // The source as the 64-byte text buffer holds it: at most 63 bytes, up to the first zero.
    char source[64] = {};
    const std::string text = entry.keyId == k && entry.encryption == static_cast<int>(size)
                                 ? entry.keyText[k]
                                 : settings.StoredKeyText(size, k, settings.m_nKeyFormat[k]);
    std::strncpy(source, text.c_str(), sizeof(source) - 1);
    if (settings.m_nKeyFormat[k] == kKeyFormatAscii) {
        return Bytes(source, source + length->bytes);
    }
    std::uint8_t decoded[kDecodeCapacity];
    DecodeHexKeyText(source, length->hexDigits, decoded);
    return Bytes(decoded, decoded + length->bytes);
}

ModuleSettings SettingsToSave(const WifiSettings& settings, const WifiFormValues& form) {
    ModuleSettings s = settings.module;
    std::copy(std::begin(form.address), std::end(form.address), s.addresses.begin());
    s.ssid = form.ssid;
    s.passphrase = form.wpaKey;
    s.mode = static_cast<WifiMode>(form.wifiMode);
    s.channel = form.channel + 1;
    s.encryption = static_cast<Encryption>(form.encryption);
    s.keyIndex = form.keyId;
    s.auth = static_cast<Authentication>(form.auth);
    s.wpaAuth = static_cast<WpaAuthentication>(form.wpaAuth);
    s.wpaCipher = static_cast<WpaCipher>(form.wpaCipher);
    KeyEntry entry;
    entry.encryption = form.encryption;
    entry.keyId = form.keyId;
    std::copy(std::begin(form.keyText), std::end(form.keyText), entry.keyText);
    for (int k = 0; k < kWepKeyCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Assign(s.wep40[i], WepKeyBytes(settings, entry, Encryption::Wep40, k));
        Assign(s.wep104[i], WepKeyBytes(settings, entry, Encryption::Wep104, k));
    }
    return s;
}

SaveRefusal ValidateSave(const WifiFormValues& form, const WifiSettings& settings) {
    const SaveRefusal refusal = CheckSave(WithEncryptionFixes(SettingsToSave(settings, form)));
    if (refusal != SaveRefusal::None) {
        return refusal;
    }
    const WepKeyLength* length = WepKeyLengthOf(static_cast<Encryption>(form.encryption));
    const int k = form.keyId;
    if (length == nullptr || k < 0 || k >= kWepKeyCount) {
        return SaveRefusal::None;
    }
    switch (
        WepKeyFit(*length, settings.m_nKeyFormat[k], static_cast<int>(form.keyText[k].size()))) {
        case KeyFit::TooLong:
            return SaveRefusal::KeyTooLong;
        case KeyFit::WrongLength:
            return SaveRefusal::KeyLengthNotMatched;
        case KeyFit::Fits:
            break;
    }
    return SaveRefusal::None;
}

}  // namespace tarvek
