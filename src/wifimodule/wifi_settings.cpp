#include "wifimodule/wifi_settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarvek {
namespace {

constexpr int kReplyCopy = 256;
constexpr int kCodeLength = 5;     // "701" CR LF
constexpr int kTrailerLength = 8;  // the image check as spaced hex, then CR LF
constexpr int kTextField = 32;

bool BeginsWith701(const std::uint8_t* bytes, int count) {
    return count >= 3 && bytes[0] == '7' && bytes[1] == '0' && bytes[2] == '1';
}

// The whole image carried by a read reply (its hex text between the code line and the closing
// CR LF) has the register's length and header and a matching image check.
bool ImageIsWhole(int index, const std::uint8_t* reply, int count) {
    const ModuleRegister* reg = RegisterAt(index);
    std::uint8_t image[kDecodeCapacity] = {};
    const int n = DecodeHexKeyText(reinterpret_cast<const char*>(reply) + kCodeLength,
                                   count - kCodeLength - 2, image);
    if (reg == nullptr || n != reg->imageLength || image[2] != reg->imageLength) {
        return false;
    }
    if (image[0] != std::atoi(reg->group) || image[1] != std::atoi(reg->number)) {
        return false;
    }
    const std::uint16_t check = ComputeImageCheck(image, n - 2);
    return image[n - 2] == (check & 0xFF) && image[n - 1] == (check >> 8);
}

void CopyTextField(char* destination, const std::uint8_t* source) {
    std::memcpy(destination, source, kTextField);
}

}  // namespace

std::uint32_t WifiSettings::PackedAddress() const {
    return (std::uint32_t{m_abAddress[0]} << 24) | (std::uint32_t{m_abAddress[1]} << 16) |
           (std::uint32_t{m_abAddress[2]} << 8) | std::uint32_t{m_abAddress[3]};
}

void WifiSettings::SetAddress(std::uint32_t packed) {
    for (int i = 0; i < 4; ++i) {
        m_abAddress[i] = static_cast<std::uint8_t>(packed >> (24 - 8 * i));
    }
}

const char* WifiSettings::StoredKeyText(int size, int k, int format) const {
    if (k < 0 || k >= kWepKeyCount) {
        return "";
    }
    if (size == kWepSize40) {
        return format == kKeyFormatAscii ? m_szWep40Ascii[k] : m_szWep40Hex[k];
    }
    return format == kKeyFormatAscii ? m_szWep104Ascii[k] : m_szWep104Hex[k];
}

int ParseReply(int index, const std::uint8_t* reply, int count, ReplyMode mode,
               WifiSettings& settings) {
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
    if (index >= 0 && index < kRegisterCount && !ImageIsWhole(index, copy, count)) {
        return -1;
    }
    std::uint8_t* d = settings.m_abDecoded;
    DecodeHexText(reinterpret_cast<const char*>(copy) + kCodeLength,
                  count - kCodeLength - kTrailerLength, settings.m_abDecoded);
    switch (index) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 9:
            std::memcpy(settings.m_abAddress, d + 4, 4);
            break;
        case 4:
            CopyTextField(settings.m_szSsid, d + 4);
            break;
        case 5: {
            const std::uint8_t options[3] = {d[4], d[5], d[6]};
            UnpackOptions(options, settings);
            break;
        }
        case 6:
            std::memset(settings.m_szWep40Ascii, 0, sizeof(settings.m_szWep40Ascii));
            for (int k = 0; k < kWepKeyCount; ++k) {
                std::memcpy(settings.m_szWep40Ascii[k], d + 4 + 5 * k, 5);
                const std::string hex = EncodeHexText(d + 4 + 5 * k, 5);
                std::memcpy(settings.m_szWep40Hex[k], hex.c_str(), hex.size() + 1);
            }
            break;
        case 7:
            std::memset(settings.m_szWep104Ascii, 0, sizeof(settings.m_szWep104Ascii));
            for (int k = 0; k < kWepKeyCount; ++k) {
                std::memcpy(settings.m_szWep104Ascii[k], d + 4 + 13 * k, 13);
                const std::string hex = EncodeHexText(d + 4 + 13 * k, 13);
                std::memcpy(settings.m_szWep104Hex[k], hex.c_str(), hex.size() + 1);
            }
            break;
        case 8:
            CopyTextField(settings.m_szWpaPassphrase, d + 4);
            break;
        default:
            std::snprintf(settings.m_szMacAddress, sizeof(settings.m_szMacAddress),
                          "%02x:%02x:%02x:%02x:%02x:%02x", d[8], d[9], d[10], d[11], d[12], d[13]);
            break;
    }
    return 0;
}

void PackOptions(const WifiSettings& s, std::uint8_t (&bytes)[3]) {
    bytes[0] = static_cast<std::uint8_t>((s.m_nChannel << 4) | (s.m_nWifiMode & 15));
    bytes[1] = static_cast<std::uint8_t>((s.m_nAuthMode << 6) | ((s.m_nKeyId & 3) << 2) |
                                         (s.m_nWepType & 3));
    bytes[2] = static_cast<std::uint8_t>(((s.m_nWpaCipher & 3) << 3) | (s.m_nWpaMode & 7));
}

void UnpackOptions(const std::uint8_t (&bytes)[3], WifiSettings& s) {
    s.m_nWifiMode = bytes[0] & 15;
    s.m_nChannel = bytes[0] >> 4;
    s.m_nWepType = bytes[1] & 3;
    s.m_nKeyId = (bytes[1] >> 2) & 3;
    s.m_nAuthMode = bytes[1] >> 6;
    s.m_nWpaMode = bytes[2] & 7;
    s.m_nWpaCipher = (bytes[2] >> 3) & 3;
}

int BuildWepKeyBytes(WifiSettings& settings, const KeyEntry& entry, int size, int k) {
    if ((size != kWepSize40 && size != kWepSize104) || k < 0 || k >= kWepKeyCount) {
        return 0;
    }
    const int byteCount = size == kWepSize40 ? 5 : 13;
    const int digitCount = 2 * byteCount;
    char source[64] = {};
    if (entry.keyId == k && entry.encryption == size) {
        std::strncpy(source, entry.keyText[k].c_str(), sizeof(source) - 1);
    } else {
        std::strncpy(source, settings.StoredKeyText(size, k, settings.m_nKeyFormat[k]),
                     sizeof(source) - 1);
    }
    std::memset(settings.m_abKeyBytes, 0, sizeof(settings.m_abKeyBytes));
    if (settings.m_nKeyFormat[k] == kKeyFormatAscii) {
        std::memcpy(settings.m_abKeyBytes, source, static_cast<std::size_t>(byteCount));
    } else {
        DecodeHexKeyText(source, digitCount, settings.m_abDecoded);
        std::memcpy(settings.m_abKeyBytes, settings.m_abDecoded,
                    static_cast<std::size_t>(byteCount));
    }
    return byteCount;
}

Bytes BuildRegisterImage(int index, WifiSettings& settings, const KeyEntry& entry) {
    const ModuleRegister* reg = RegisterAt(index);
    if (reg == nullptr) {
        return {};
    }
    Bytes image(static_cast<std::size_t>(reg->imageLength), 0);
    image[0] = static_cast<std::uint8_t>(std::atoi(reg->group));
    image[1] = static_cast<std::uint8_t>(std::atoi(reg->number));
    image[2] = static_cast<std::uint8_t>(reg->imageLength);
    std::uint8_t* data = image.data() + 4;
    switch (index) {
        case 0:
        case 1:
        case 2:
        case 3:
            std::memcpy(data, settings.m_abAddress, 4);
            break;
        case 4:
            std::memcpy(data, settings.m_szSsid, kTextField);
            break;
        case 5: {
            std::uint8_t options[3];
            PackOptions(settings, options);
            std::memcpy(data, options, 3);
            break;
        }
        case 6:
        case 7: {
            const int size = index == 6 ? kWepSize40 : kWepSize104;
            for (int k = 0; k < kWepKeyCount; ++k) {
                const int n = BuildWepKeyBytes(settings, entry, size, k);
                std::memcpy(data + n * k, settings.m_abKeyBytes, static_cast<std::size_t>(n));
            }
            break;
        }
        case 8:
            std::memcpy(data, settings.m_szWpaPassphrase, kTextField);
            break;
        default:
            std::memcpy(data, settings.m_abPsk, sizeof(settings.m_abPsk));
            break;
    }
    const std::uint16_t check = ComputeImageCheck(image.data(), reg->imageLength - 2);
    image[image.size() - 2] = static_cast<std::uint8_t>(check & 0xFF);
    image[image.size() - 1] = static_cast<std::uint8_t>(check >> 8);
    return image;
}

}  // namespace tarvek
