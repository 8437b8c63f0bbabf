#include "cli/module_view.h"

#include <algorithm>
#include <cstring>

#include "wifimodule/psk.h"

namespace tarvek::cli {
namespace {

constexpr int kAddressRegisters = 4;
constexpr int kPskIndex = 9;
constexpr int kWpaEncryption = 3;

// A zero-padded text field up to its first zero byte, at most the register's 32 bytes.
std::string FieldText(const char* field) {
    return std::string(field, strnlen(field, kWpaTextField));
}

int Encryption(const WifiSettings& s) {
    return s.m_nWpaMode != 0 ? kWpaEncryption : s.m_nWepType;
}

void CopyField(char* field, std::size_t size, const std::string& text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

// The key bytes of a value: hex digits decoded, characters as they are.
Bytes KeyBytes(const Value& v) {
    if (v.keyFormat != kKeyFormatHex) {
        return Bytes(v.text.begin(), v.text.end());
    }
    std::uint8_t out[kDecodeCapacity];
    const int n = DecodeHexKeyText(v.text.c_str(), static_cast<int>(v.text.size()), out);
    return Bytes(out, out + n);
}

}  // namespace

StepObserver CaptureRead(ModuleRead& read, StepObserver next) {
    return [&read, next](int step, int index, int progress) {
        if (index >= 0 && index < kAddressRegisters) {
            read.address[index] = read.settings.PackedAddress();
        }
        const ModuleRegister* reg = RegisterAt(index);
        // The PSK step reports a refused read too (a WEP-only module): no image then.
        const bool taken = index != kPskIndex || read.settings.m_nModuleKind == kModuleWpaCapable;
        if (reg != nullptr && taken) {
            // The decode buffer holds the image up to its check (verified by the read).
            const std::uint8_t* d = read.settings.m_abDecoded;
            read.images[index] = Bytes(d, d + reg->imageLength - 2);
        }
        if (next) {
            next(step, index, progress);
        }
    };
}

Settings WifiValues(const ModuleRead& read) {
    const WifiSettings& s = read.settings;
    Settings values;
    const KeyId addresses[kAddressRegisters] = {KeyId::WifiIp, KeyId::WifiNetmask,
                                                KeyId::WifiGateway, KeyId::WifiDns};
    for (int i = 0; i < kAddressRegisters; ++i) {
        values[addresses[i]].number = read.address[i];
    }
    values[KeyId::WifiSsid].text = FieldText(s.m_szSsid);
    values[KeyId::WifiMode].number = s.m_nWifiMode;
    values[KeyId::WifiChannel].number = s.m_nChannel;
    values[KeyId::WifiEncryption].number = Encryption(s);
    values[KeyId::WifiKeyId].number = s.m_nKeyId + 1;
    values[KeyId::WifiAuth].number = s.m_nAuthMode;
    values[KeyId::WifiWpaAuth].number = WpaAuthEntry(s.m_nWpaMode);
    values[KeyId::WifiWpaCipher].number = s.m_nWpaCipher;
    values[KeyId::WifiPassphrase].text = FieldText(s.m_szWpaPassphrase);
    const int size = Encryption(s);
    if (size == kWepSize40 || size == kWepSize104) {
        for (int k = 0; k < kWepKeyCount; ++k) {
            Value& key = values[WepKey(k)];
            key.text = s.StoredKeyText(size, k, kKeyFormatHex);
            key.keyFormat = kKeyFormatHex;
        }
    }
    return values;
}

std::string MacAddress(const ModuleRead& read) {
    return FieldText(read.settings.m_szMacAddress);
}

WifiFormValues MergeForm(const ModuleRead& read, const Settings& settings, WifiSettings& working) {
    working = read.settings;
    const WifiSettings& s = read.settings;
    WifiFormValues form;
    std::copy(std::begin(read.address), std::end(read.address), form.address);
    form.ssid = FieldText(s.m_szSsid);
    form.wpaKey = FieldText(s.m_szWpaPassphrase);
    form.wifiMode = s.m_nWifiMode;
    form.channel = s.m_nChannel - 1;
    form.keyId = s.m_nKeyId;
    form.auth = s.m_nAuthMode;
    form.wpaAuth = WpaAuthEntry(s.m_nWpaMode);
    form.wpaCipher = s.m_nWpaCipher;
    // A WEP-only module's list has no WPA entry: a WPA mode leaves it without a selection.
    form.encryption = Encryption(s);
    if (form.encryption == kWpaEncryption && s.m_nModuleKind != kModuleWpaCapable) {
        form.encryption = -1;
    }
    for (const auto& [id, value] : settings) {
        const int n = static_cast<int>(value.number);
        switch (id) {
            case KeyId::WifiIp:
            case KeyId::WifiNetmask:
            case KeyId::WifiGateway:
            case KeyId::WifiDns:
                form.address[static_cast<int>(id) - static_cast<int>(KeyId::WifiIp)] =
                    static_cast<std::uint32_t>(value.number);
                break;
            case KeyId::WifiSsid:
                form.ssid = value.text;
                break;
            case KeyId::WifiPassphrase:
                form.wpaKey = value.text;
                break;
            case KeyId::WifiMode:
                form.wifiMode = n;
                break;
            case KeyId::WifiChannel:
                form.channel = n - 1;
                break;
            case KeyId::WifiEncryption:
                form.encryption = n;
                break;
            case KeyId::WifiKeyId:
                form.keyId = n - 1;
                break;
            case KeyId::WifiAuth:
                form.auth = n;
                break;
            case KeyId::WifiWpaAuth:
                form.wpaAuth = n;
                break;
            case KeyId::WifiWpaCipher:
                form.wpaCipher = n;
                break;
            default:
                break;
        }
    }
    const int size = form.encryption;
    for (int k = 0; k < kWepKeyCount; ++k) {
        const auto key = settings.find(WepKey(k));
        if (key != settings.end() && (size == kWepSize40 || size == kWepSize104)) {
            const Value& v = key->second;
            working.m_nKeyFormat[k] = v.keyFormat;
            const bool ascii = v.keyFormat == kKeyFormatAscii;
            if (size == kWepSize40) {
                ascii
                    ? CopyField(working.m_szWep40Ascii[k], sizeof working.m_szWep40Ascii[k], v.text)
                    : CopyField(working.m_szWep40Hex[k], sizeof working.m_szWep40Hex[k], v.text);
            } else {
                ascii
                    ? CopyField(working.m_szWep104Ascii[k], sizeof working.m_szWep104Ascii[k],
                                v.text)
                    : CopyField(working.m_szWep104Hex[k], sizeof working.m_szWep104Hex[k], v.text);
            }
        }
        // What the key edit shows: the selected key's text is what the save takes for it.
        form.keyText[k] = working.StoredKeyText(size, k, working.m_nKeyFormat[k]);
    }
    return form;
}

ModuleRead ExpectedRead(const ModuleRead& before, const WifiSettings& working,
                        const WifiFormValues& form) {
    WifiSettings s = working;
    KeyEntry entry;
    entry.encryption = form.encryption;
    entry.keyId = form.keyId;
    std::copy(std::begin(form.keyText), std::end(form.keyText), entry.keyText);
    const Psk psk = DerivePsk(s.m_szWpaPassphrase, s.m_szSsid);
    std::copy(psk.begin(), psk.end(), s.m_abPsk);
    ModuleRead expected = before;
    for (int index = 0; index < kRegisterCount; ++index) {
        if (index == kPskIndex && s.m_nModuleKind != kModuleWpaCapable) {
            continue;
        }
        if (index < kAddressRegisters) {
            s.SetAddress(form.address[index]);
        }
        const Bytes image = BuildRegisterImage(index, s, entry);
        // The reply a module holding this image gives, taken in by the read's own parser.
        const std::string reply =
            "701\r\n" + EncodeHexPayload(image.data(), static_cast<int>(image.size())) + "\n";
        ParseReply(index, reinterpret_cast<const std::uint8_t*>(reply.data()),
                   static_cast<int>(reply.size()), ReplyMode::Read, expected.settings);
        CaptureRead(expected, nullptr)(index + 1, index, -1);
    }
    WipeSecret(s.m_abPsk, sizeof(s.m_abPsk));
    return expected;
}

bool SameValue(const KeySpec& spec, const Value& a, const Value& b) {
    if (spec.kind != ValueKind::WepKey) {
        return a.number == b.number && a.text == b.text;
    }
    Bytes x = KeyBytes(a), y = KeyBytes(b);
    const std::size_t n = std::max(x.size(), y.size());
    x.resize(n, 0);
    y.resize(n, 0);
    return x == y;
}

}  // namespace tarvek::cli
