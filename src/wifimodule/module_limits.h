// The Wi-Fi module's limits: the channels it offers, the length of its texts and of its WEP keys.
#pragma once

#include <string>

#include "wifimodule/module_enums.h"

namespace tarvek {

inline constexpr int kFirstChannel = 1;
inline constexpr int kLastChannel = 14;

// The SSID and passphrase registers carry 32 bytes each.
inline constexpr int kModuleTextBytes = 32;
inline constexpr int kMaxSsidBytes = kModuleTextBytes;
// A WPA passphrase: at least the 8 characters WPA asks, and less than the register's 32 (the
// save refuses 32 and more).
inline constexpr int kMinPassphraseChars = 8;
inline constexpr int kMaxPassphraseChars = 31;

// A WPA passphrase is printable ASCII (IEEE 802.11i); the key derived from other bytes would
// match no station's.
bool IsPrintableAscii(const std::string& text);
// What the module's text registers can hold: an SSID of at most 32 bytes, and a passphrase of
// 8..31 printable characters.
bool FitsSsidRegister(const std::string& ssid);
bool IsStorablePassphrase(const std::string& passphrase);

// How a WEP key is typed: as hex digits, or as its bytes in characters.
inline constexpr int kKeyFormatHex = 0;
inline constexpr int kKeyFormatAscii = 1;

// A WEP key of one size: its bytes (the most characters an ASCII key has) and its hex digits.
struct WepKeyLength {
    Encryption size;
    int bytes;
    int hexDigits;
};
inline constexpr WepKeyLength kWep40Length{Encryption::Wep40, 5, 10};
inline constexpr WepKeyLength kWep104Length{Encryption::Wep104, 13, 26};

// The key length of a WEP encryption; nullptr for another.
constexpr const WepKeyLength* WepKeyLengthOf(Encryption size) {
    return size == Encryption::Wep40    ? &kWep40Length
           : size == Encryption::Wep104 ? &kWep104Length
                                        : nullptr;
}

// Whether a typed key fits its size: an ASCII key of at most its bytes in characters, a hex
// key of all its digits.
enum class KeyFit : int { Fits, TooLong, WrongLength };
constexpr KeyFit WepKeyFit(const WepKeyLength& length, int keyFormat, int typedChars) {
    if (keyFormat == kKeyFormatAscii) {
        return typedChars > length.bytes ? KeyFit::TooLong : KeyFit::Fits;
    }
    return typedChars != length.hexDigits ? KeyFit::WrongLength : KeyFit::Fits;
}

}  // namespace tarvek
