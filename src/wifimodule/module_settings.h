// The Wi-Fi module's settings as one value: what a read brings back and what a save writes, with
// the register images a read came from. The register map between the value and the images:
// decoding a read reply, building the image of each register for a save, the option packing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "wifimodule/module_codec.h"
#include "wifimodule/module_enums.h"
#include "wifimodule/module_limits.h"

namespace tarvek {

enum class WifiModuleKind : int { Unknown = 0, WepOnly = 1, WpaCapable = 2 };

// The registers by table index.
inline constexpr int kIpRegister = 0;
inline constexpr int kNetmaskRegister = 1;
inline constexpr int kGatewayRegister = 2;
inline constexpr int kDnsRegister = 3;
inline constexpr int kSsidRegister = 4;
inline constexpr int kOptionsRegister = 5;
inline constexpr int kWep40Register = 6;
inline constexpr int kWep104Register = 7;
inline constexpr int kPassphraseRegister = 8;
inline constexpr int kPskRegister = 9;
inline constexpr int kAddressCount = 4;  // IP, netmask, gateway, DNS: registers 0..3

// The option register's three data bytes, field by field: mode and channel; WEP type, key index
// and authentication; WPA mode and cipher.
struct OptionBits {
    int byte;
    int shift;
    int mask;
    int Of(const std::uint8_t* data) const { return (data[byte] >> shift) & mask; }
    void Put(std::uint8_t* data, int value) const {
        data[byte] = static_cast<std::uint8_t>(data[byte] | ((value & mask) << shift));
    }
};
inline constexpr OptionBits kModeBits{0, 0, 15};
inline constexpr OptionBits kChannelBits{0, 4, 15};
inline constexpr OptionBits kWepTypeBits{1, 0, 3};
inline constexpr OptionBits kKeyIndexBits{1, 2, 3};
inline constexpr OptionBits kAuthBits{1, 6, 3};
inline constexpr OptionBits kWpaModeBits{2, 0, 7};
inline constexpr OptionBits kWpaCipherBits{2, 3, 3};
// Where a register image's data begins: after group, register, length and 0.
inline constexpr int kImageDataOffset = 4;

using WepKey40 = std::array<std::uint8_t, kWep40Length.bytes>;
using WepKey104 = std::array<std::uint8_t, kWep104Length.bytes>;

struct ModuleSettings {
    WifiModuleKind kind = WifiModuleKind::Unknown;
    // IP, netmask, gateway, DNS, each packed with its first field in the top byte.
    std::array<std::uint32_t, kAddressCount> addresses{};
    std::string ssid;  // bytes; a read gives them up to the first zero, at most 32
    WifiMode mode = WifiMode::Adhoc;
    int channel = 0;
    // What the module uses: WPA when it holds a WPA mode, otherwise its WEP type.
    Encryption encryption = Encryption::None;
    int keyIndex = 0;
    Authentication auth = Authentication::None;
    WpaAuthentication wpaAuth = WpaAuthentication::None;
    WpaCipher wpaCipher = WpaCipher::None;
    std::array<WepKey40, kWepKeyCount> wep40{};
    std::array<WepKey104, kWepKeyCount> wep104{};
    std::string passphrase;  // bytes, as the SSID
    std::string mac;         // "xx:xx:xx:xx:xx:xx"; empty when the module has none to read
    // Each register's whole image as read (the image check included); empty when not read.
    std::array<Bytes, kRegisterCount> images;
};

// Why a save was refused before anything was sent.
enum class SaveRefusal {
    None,
    NoSelection,          // a value the save packs is outside its list (or has none)
    NotRead,              // the settings were never read from this module
    KeyTooLong,           // an ASCII WEP key longer than its 5 or 13 bytes
    KeyLengthNotMatched,  // a HEX WEP key not of 10 or 26 digits
    WpaKeyLength,         // a WPA passphrase outside its bounds
    SsidTooLong,          // an SSID of more bytes than its register holds
    WpaKeyCharacters,     // a WPA passphrase with a byte that is no printable ASCII
};

// The settings with what their encryption fixes written in.
ModuleSettings WithEncryptionFixes(ModuleSettings settings);

// The save's checks on a value (with its encryption's fixes in), before anything is sent.
SaveRefusal CheckSave(const ModuleSettings& settings);

enum class ReplyMode { Read, Write };

// Tests a reply's acknowledgement and, in read mode, decodes it into the settings.
// Write mode: the reply begins with "701". Read mode: it begins with "701" CR LF and is long
// enough to carry a data field; for registers 0..9 it must also carry the whole image, whose
// length, register and image check are verified, so a reply damaged on the way is never taken
// for the module's settings. 0 = accepted, -1 = not acknowledged.
int ParseReply(int index, const std::uint8_t* reply, int count, ReplyMode mode,
               ModuleSettings& settings);

// The option bytes 4..6 of register 09 00 (each field cut to its bits), the encryption's fixes
// taken as given: the WEP type is 0 under WPA, the WPA mode is the module's code of the entry.
std::array<std::uint8_t, 3> PackOptions(const ModuleSettings& settings);

// The whole image of register index 0..9 with its image check appended (09 05 carries the key
// derived from the passphrase and SSID). Empty for another index.
Bytes BuildRegisterImage(int index, const ModuleSettings& settings);

}  // namespace tarvek
