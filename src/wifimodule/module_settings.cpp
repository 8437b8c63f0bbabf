#include "wifimodule/module_settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "wifimodule/encryption_rules.h"
#include "wifimodule/psk.h"

namespace tarvek {
namespace {

constexpr int kReplyCopy = 256;
constexpr int kCodeLength = 5;     // "701" CR LF
constexpr int kTrailerLength = 8;  // the image check as spaced hex, then CR LF
constexpr int kDataOffset = kImageDataOffset;

bool BeginsWith701(const std::uint8_t* bytes, int count) {
    return count >= 3 && bytes[0] == '7' && bytes[1] == '0' && bytes[2] == '1';
}

// The whole image carried by a read reply (its hex text between the code line and the closing
// CR LF) has the register's length and header and a matching image check. Its length, or 0.
int WholeImage(int index, const std::uint8_t* reply, int count,
               std::uint8_t (&image)[kDecodeCapacity]) {
    const ModuleRegister* reg = RegisterAt(index);
    const int n = DecodeHexKeyText(reinterpret_cast<const char*>(reply) + kCodeLength,
                                   count - kCodeLength - 2, image);
    if (reg == nullptr || n != reg->imageLength || image[2] != reg->imageLength) {
        return 0;
    }
    if (image[0] != std::atoi(reg->group) || image[1] != std::atoi(reg->number)) {
        return 0;
    }
    const std::uint16_t check = ComputeImageCheck(image, n - 2);
    return image[n - 2] == (check & 0xFF) && image[n - 1] == (check >> 8) ? n : 0;
}

// A text register's bytes up to the first zero.
std::string FieldText(const std::uint8_t* field) {
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, kModuleTextBytes));
}

void CopyText(std::uint8_t* data, const std::string& text) {
    std::memcpy(data, text.data(), std::min<std::size_t>(text.size(), kModuleTextBytes));
}

void UnpackOptions(const std::uint8_t* b, ModuleSettings& s) {
    s.mode = static_cast<WifiMode>(kModeBits.Of(b));
    s.channel = kChannelBits.Of(b);
    const int wpaMode = kWpaModeBits.Of(b);
    s.encryption = EncryptionOfOptions(kWepTypeBits.Of(b), wpaMode);
    s.keyIndex = kKeyIndexBits.Of(b);
    s.auth = static_cast<Authentication>(kAuthBits.Of(b));
    s.wpaAuth = WpaEntryOfCode(wpaMode);
    s.wpaCipher = static_cast<WpaCipher>(kWpaCipherBits.Of(b));
}

bool InList(int value, int count) {
    return value >= 0 && value < count;
}

}  // namespace

ModuleSettings WithEncryptionFixes(ModuleSettings s) {
    for (const EncryptionFix& fix : kEncryptionFixes) {
        if (fix.encryption != s.encryption) {
            continue;
        }
        switch (fix.setting) {
            case FixedSetting::KeyIndex:
                s.keyIndex = fix.value;
                break;
            case FixedSetting::Authentication:
                s.auth = static_cast<Authentication>(fix.value);
                break;
            case FixedSetting::WpaAuthentication:
                s.wpaAuth = static_cast<WpaAuthentication>(fix.value);
                break;
            case FixedSetting::WpaCipher:
                s.wpaCipher = static_cast<WpaCipher>(fix.value);
                break;
        }
    }
    return s;
}

bool IsPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

bool FitsSsidRegister(const std::string& ssid) {
    return static_cast<int>(ssid.size()) <= kMaxSsidBytes;
}

bool IsStorablePassphrase(const std::string& passphrase) {
    const auto length = static_cast<int>(passphrase.size());
    return length >= kMinPassphraseChars && length <= kMaxPassphraseChars &&
           IsPrintableAscii(passphrase);
}

SaveRefusal CheckSave(const ModuleSettings& s) {
    // Every value the save packs must be one its list offers: another would be written as a
    // bit pattern the module does not know. A WEP-only module offers no WPA.
    const bool wpaOffered = s.kind != WifiModuleKind::WepOnly;
    const int encryptions = wpaOffered ? ListSize(kEncryptionNames) : kWepOnlyEncryptionCount;
    if (!InList(static_cast<int>(s.mode), ListSize(kWifiModeNames)) || s.channel < kFirstChannel ||
        s.channel > kLastChannel || !InList(static_cast<int>(s.encryption), encryptions) ||
        !InList(s.keyIndex, kWepKeyCount) ||
        !InList(static_cast<int>(s.auth), ListSize(kAuthenticationNames)) ||
        !InList(static_cast<int>(s.wpaAuth), ListSize(kWpaAuthenticationNames)) ||
        !InList(static_cast<int>(s.wpaCipher), ListSize(kWpaCipherNames))) {
        return SaveRefusal::NoSelection;
    }
    if (s.kind != WifiModuleKind::WepOnly && s.kind != WifiModuleKind::WpaCapable) {
        return SaveRefusal::NotRead;
    }
    if (!FitsSsidRegister(s.ssid)) {
        return SaveRefusal::SsidTooLong;
    }
    const int length = static_cast<int>(s.passphrase.size());
    if (s.encryption == Encryption::Wpa &&
        (length < kMinPassphraseChars || length > kMaxPassphraseChars)) {
        return SaveRefusal::WpaKeyLength;
    }
    if (s.encryption == Encryption::Wpa && !IsStorablePassphrase(s.passphrase)) {
        return SaveRefusal::WpaKeyCharacters;
    }
    return SaveRefusal::None;
}

int ParseReply(int index, const std::uint8_t* reply, int count, ReplyMode mode,
               ModuleSettings& settings) {
    std::uint8_t copy[kReplyCopy + 1] = {};
    count = std::clamp(count, 0, kReplyCopy);
    std::memcpy(copy, reply, static_cast<std::size_t>(count));

    if (mode == ReplyMode::Write) {
        return BeginsWith701(copy, count) ? 0 : -1;
    }
    if (!BeginsWith701(copy, count) || count < 5 || copy[3] != '\r' || copy[4] != '\n') {
        return -1;
    }
    // A reply too short to hold a data field carries no settings.
    if (count < kCodeLength + kTrailerLength) {
        return -1;
    }
    std::uint8_t d[kDecodeCapacity] = {};
    if (index >= 0 && index < kRegisterCount) {
        const int n = WholeImage(index, copy, count, d);
        if (n == 0) {
            return -1;
        }
        settings.images[static_cast<std::size_t>(index)] = Bytes(d, d + n);
    } else {
        DecodeHexText(reinterpret_cast<const char*>(copy) + kCodeLength,
                      count - kCodeLength - kTrailerLength, d);
    }
    const std::uint8_t* data = d + kDataOffset;
    switch (index) {
        case kIpRegister:
        case kNetmaskRegister:
        case kGatewayRegister:
        case kDnsRegister:
            settings.addresses[static_cast<std::size_t>(index)] =
                (std::uint32_t{data[0]} << 24) | (std::uint32_t{data[1]} << 16) |
                (std::uint32_t{data[2]} << 8) | std::uint32_t{data[3]};
            break;
        case kSsidRegister:
            settings.ssid = FieldText(data);
            break;
        case kOptionsRegister:
            UnpackOptions(data, settings);
            break;
        case kWep40Register:
            for (int k = 0; k < kWepKeyCount; ++k) {
                std::copy_n(data + kWep40Length.bytes * k, kWep40Length.bytes,
                            settings.wep40[static_cast<std::size_t>(k)].begin());
            }
            break;
        case kWep104Register:
            for (int k = 0; k < kWepKeyCount; ++k) {
                std::copy_n(data + kWep104Length.bytes * k, kWep104Length.bytes,
                            settings.wep104[static_cast<std::size_t>(k)].begin());
            }
            break;
        case kPassphraseRegister:
            settings.passphrase = FieldText(data);
            break;
        case kPskRegister:
            break;  // the key is kept only as its image
        default: {
            char mac[18];
            std::snprintf(mac, sizeof mac, "%02x:%02x:%02x:%02x:%02x:%02x", d[8], d[9], d[10],
                          d[11], d[12], d[13]);
            settings.mac = mac;
            break;
        }
    }
    return 0;
}

std::array<std::uint8_t, 3> PackOptions(const ModuleSettings& s) {
    std::array<std::uint8_t, 3> b{};
    kModeBits.Put(b.data(), static_cast<int>(s.mode));
    kChannelBits.Put(b.data(), s.channel);
    kWepTypeBits.Put(b.data(), WepTypeOf(s.encryption));
    kKeyIndexBits.Put(b.data(), s.keyIndex);
    kAuthBits.Put(b.data(), static_cast<int>(s.auth));
    kWpaModeBits.Put(b.data(), WpaModeCode(s.wpaAuth));
    kWpaCipherBits.Put(b.data(), static_cast<int>(s.wpaCipher));
    return b;
}

Bytes BuildRegisterImage(int index, const ModuleSettings& settings) {
    const ModuleRegister* reg = RegisterAt(index);
    if (reg == nullptr) {
        return {};
    }
    Bytes image(static_cast<std::size_t>(reg->imageLength), 0);
    image[0] = static_cast<std::uint8_t>(std::atoi(reg->group));
    image[1] = static_cast<std::uint8_t>(std::atoi(reg->number));
    image[2] = static_cast<std::uint8_t>(reg->imageLength);
    std::uint8_t* data = image.data() + kDataOffset;
    switch (index) {
        case kIpRegister:
        case kNetmaskRegister:
        case kGatewayRegister:
        case kDnsRegister:
            for (int i = 0; i < 4; ++i) {
                data[i] = static_cast<std::uint8_t>(
                    settings.addresses[static_cast<std::size_t>(index)] >> (24 - 8 * i));
            }
            break;
        case kSsidRegister:
            CopyText(data, settings.ssid);
            break;
        case kOptionsRegister: {
            const auto options = PackOptions(settings);
            std::copy(options.begin(), options.end(), data);
            break;
        }
        case kWep40Register:
            for (int k = 0; k < kWepKeyCount; ++k) {
                const WepKey40& key = settings.wep40[static_cast<std::size_t>(k)];
                std::copy(key.begin(), key.end(), data + kWep40Length.bytes * k);
            }
            break;
        case kWep104Register:
            for (int k = 0; k < kWepKeyCount; ++k) {
                const WepKey104& key = settings.wep104[static_cast<std::size_t>(k)];
                std::copy(key.begin(), key.end(), data + kWep104Length.bytes * k);
            }
            break;
        case kPassphraseRegister:
            CopyText(data, settings.passphrase);
            break;
        default: {
            Psk psk = DerivePsk(settings.passphrase.c_str(), settings.ssid.c_str());
            std::copy(psk.begin(), psk.end(), data);
            WipeSecret(psk.data(), psk.size());
            break;
        }
    }
    const std::uint16_t check = ComputeImageCheck(image.data(), reg->imageLength - 2);
    image[image.size() - 2] = static_cast<std::uint8_t>(check & 0xFF);
    image[image.size() - 1] = static_cast<std::uint8_t>(check >> 8);
    return image;
}

}  // namespace tarvek
