// The Wi-Fi dialog's working copy of the module's settings, and the register map between it and
// the module's register images: decoding a read reply, building the image of each register for
// a save, the option packing and the WEP key bytes.
#pragma once

#include <cstdint>
#include <string>

#include "wifimodule/module_codec.h"

namespace tarvek {

inline constexpr int kWepKeyCount = 4;
inline constexpr int kModuleWepOnly = 1;
inline constexpr int kModuleWpaCapable = 2;
inline constexpr int kKeyFormatHex = 0;
inline constexpr int kKeyFormatAscii = 1;
inline constexpr int kWepSize40 = 1;
inline constexpr int kWepSize104 = 2;

struct WifiSettings {
    int m_nModuleKind = 0;
    int m_nWifiMode = 0;
    int m_nChannel = 0;
    int m_nWepType = 0;
    int m_nKeyId = 0;
    int m_nAuthMode = 0;
    int m_nWpaMode = 0;
    int m_nWpaCipher = 0;
    int m_nKeyFormat[kWepKeyCount] = {};
    std::uint8_t m_abAddress[4] = {};
    char m_szSsid[64] = {};
    char m_szWpaPassphrase[64] = {};
    std::uint8_t m_abPsk[32] = {};
    char m_szWep40Hex[kWepKeyCount][64] = {};
    char m_szWep40Ascii[kWepKeyCount][16] = {};
    char m_szWep104Hex[kWepKeyCount][512] = {};
    char m_szWep104Ascii[kWepKeyCount][16] = {};
    std::uint8_t m_abKeyBytes[13] = {};
    char m_szMacAddress[64] = {};
    std::uint8_t m_abDecoded[kDecodeCapacity] = {};

    // The packed address in the IP address control's form: the first field in the top byte.
    std::uint32_t PackedAddress() const;
    void SetAddress(std::uint32_t packed);

    // The stored text of key k (0..3) of a size in a format (hex digits or raw bytes).
    const char* StoredKeyText(int size, int k, int format) const;
};

enum class ReplyMode { Read, Write };

// Tests a reply's acknowledgement and, in read mode, decodes it into the settings.
// Write mode: the reply begins with "701". Read mode: it begins with "701" CR LF and is long
// enough to carry a data field; for registers 0..9 it must also carry the whole image, whose
// length, register and image check are verified, so a reply damaged on the way is never taken
// for the module's settings. 0 = accepted, -1 = not acknowledged.
int ParseReply(int index, const std::uint8_t* reply, int count, ReplyMode mode,
               WifiSettings& settings);

// The option bytes 4..6 of register 09 00 from the option members (each cut to 8 bits).
void PackOptions(const WifiSettings& settings, std::uint8_t (&bytes)[3]);
// The option members from option bytes 4..6.
void UnpackOptions(const std::uint8_t (&bytes)[3], WifiSettings& settings);

// The key edits as the save sees them: the selected encryption and key id and the key texts.
struct KeyEntry {
    int encryption = -1;
    int keyId = -1;
    std::string keyText[kWepKeyCount];
};

// The bytes of key k for the 40-bit (size 1, 5 bytes) or 104-bit (size 2, 13 bytes) image,
// placed in m_abKeyBytes: what the user typed for the selected key of the selected size, the
// stored form of every other key. Returns the number of bytes (5 or 13; 0 for a bad size).
int BuildWepKeyBytes(WifiSettings& settings, const KeyEntry& entry, int size, int k);

// The whole image of register index 0..9 from the settings (for 6 and 7 through
// BuildWepKeyBytes), its image check appended. Empty for another index.
Bytes BuildRegisterImage(int index, WifiSettings& settings, const KeyEntry& entry);

}  // namespace tarvek
