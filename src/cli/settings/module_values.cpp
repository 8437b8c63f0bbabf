#include "cli/settings/module_values.h"

#include <algorithm>

#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

constexpr KeyId kAddressKeys[kAddressCount] = {KeyId::WifiIp, KeyId::WifiNetmask,
                                               KeyId::WifiGateway, KeyId::WifiDns};

// The key bytes of a value: hex digits decoded, characters as they are.
Bytes KeyBytes(const Value& v) {
    if (v.keyFormat != kKeyFormatHex) {
        return Bytes(v.text.begin(), v.text.end());
    }
    std::uint8_t out[kDecodeCapacity];
    const int n = DecodeHexKeyText(v.text.c_str(), static_cast<int>(v.text.size()), out);
    return Bytes(out, out + n);
}

// A key's bytes into its slot: zeros past a shorter key.
template <std::size_t N>
void Assign(std::array<std::uint8_t, N>& key, const Value& v) {
    const Bytes bytes = KeyBytes(v);
    key.fill(0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), N), key.begin());
}

}  // namespace

std::string WepKeyHex(const ModuleSettings& m, Encryption size, int k) {
    const auto i = static_cast<std::size_t>(k);
    return size == Encryption::Wep40 ? EncodeHexText(m.wep40[i].data(), kWep40Length.bytes)
                                     : EncodeHexText(m.wep104[i].data(), kWep104Length.bytes);
}

Settings WifiValues(const ModuleSettings& m) {
    Settings values;
    for (int i = 0; i < kAddressCount; ++i) {
        values[kAddressKeys[i]].number = m.addresses[static_cast<std::size_t>(i)];
    }
    values[KeyId::WifiSsid].text = m.ssid;
    values[KeyId::WifiMode].number = static_cast<int>(m.mode);
    values[KeyId::WifiChannel].number = m.channel;
    values[KeyId::WifiEncryption].number = static_cast<int>(m.encryption);
    values[KeyId::WifiKeyId].number = KeyIdOfIndex(m.keyIndex);
    values[KeyId::WifiAuth].number = static_cast<int>(m.auth);
    values[KeyId::WifiWpaAuth].number = static_cast<int>(m.wpaAuth);
    values[KeyId::WifiWpaCipher].number = static_cast<int>(m.wpaCipher);
    values[KeyId::WifiPassphrase].text = m.passphrase;
    if (WepKeyLengthOf(m.encryption) != nullptr) {
        for (int k = 0; k < kWepKeyCount; ++k) {
            Value& key = values[WepKey(k)];
            key.text = WepKeyHex(m, m.encryption, k);
            key.keyFormat = kKeyFormatHex;
        }
    }
    return values;
}

ModuleSettings SettingsToSave(const ModuleSettings& read, const Settings& settings) {
    ModuleSettings s = read;
    for (const auto& [id, value] : settings) {
        const int n = static_cast<int>(value.number);
        switch (id) {
            case KeyId::WifiIp:
            case KeyId::WifiNetmask:
            case KeyId::WifiGateway:
            case KeyId::WifiDns:
                s.addresses[static_cast<std::size_t>(static_cast<int>(id) -
                                                     static_cast<int>(KeyId::WifiIp))] =
                    static_cast<std::uint32_t>(value.number);
                break;
            case KeyId::WifiSsid:
                s.ssid = value.text;
                break;
            case KeyId::WifiPassphrase:
                s.passphrase = value.text;
                break;
            case KeyId::WifiMode:
                s.mode = static_cast<WifiMode>(n);
                break;
            case KeyId::WifiChannel:
                s.channel = n;
                break;
            case KeyId::WifiEncryption:
                s.encryption = static_cast<Encryption>(n);
                break;
            case KeyId::WifiKeyId:
                s.keyIndex = IndexOfKeyId(n);
                break;
            case KeyId::WifiAuth:
                s.auth = static_cast<Authentication>(n);
                break;
            case KeyId::WifiWpaAuth:
                s.wpaAuth = static_cast<WpaAuthentication>(n);
                break;
            case KeyId::WifiWpaCipher:
                s.wpaCipher = static_cast<WpaCipher>(n);
                break;
            default:
                break;
        }
    }
    for (int k = 0; k < kWepKeyCount; ++k) {
        const auto key = settings.find(WepKey(k));
        if (key == settings.end()) {
            continue;
        }
        const auto i = static_cast<std::size_t>(k);
        if (s.encryption == Encryption::Wep40) {
            Assign(s.wep40[i], key->second);
        } else if (s.encryption == Encryption::Wep104) {
            Assign(s.wep104[i], key->second);
        }
    }
    return s;
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
