// The Wi-Fi module's enumerations. Each value is the entry's position in the Wi-Fi dialog's list
// (the order the dialog shows and the save packs); each has the name the console tool uses for
// it. The dialog's own list texts are kept with the dialog.
#pragma once

#include <cstddef>

namespace tarvek {

enum class WifiMode : int { Adhoc = 0, Infrastructure = 1 };
enum class Encryption : int { None = 0, Wep40 = 1, Wep104 = 2, Wpa = 3 };
enum class Authentication : int { None = 0, OpenSystem = 1, SharedKey = 2, Both = 3 };
enum class WpaAuthentication : int { None = 0, WpaPsk = 1, Wpa2Psk = 2 };
enum class WpaCipher : int { None = 0, Tkip = 1, Aes = 2 };

// The module keeps four WEP keys; the key index (0..3) selects the one in use.
inline constexpr int kWepKeyCount = 4;

// The module without WPA offers the encryption list up to 104-bit only.
inline constexpr int kWepOnlyEncryptionCount = 3;

struct ModuleName {
    int position;
    const char* name;
};

inline constexpr ModuleName kWifiModeNames[] = {{0, "adhoc"}, {1, "infrastructure"}};
inline constexpr ModuleName kEncryptionNames[] = {
    {0, "none"}, {1, "40-bit"}, {2, "104-bit"}, {3, "wpa"}};
inline constexpr ModuleName kAuthenticationNames[] = {
    {0, "none"}, {1, "open-system"}, {2, "shared-key"}, {3, "both"}};
inline constexpr ModuleName kWpaAuthenticationNames[] = {
    {0, "none"}, {1, "wpa-psk"}, {2, "wpa2-psk"}};
inline constexpr ModuleName kWpaCipherNames[] = {{0, "none"}, {1, "tkip"}, {2, "aes"}};

// The number of entries of a list.
template <std::size_t N>
constexpr int ListSize(const ModuleName (&)[N]) {
    return static_cast<int>(N);
}

}  // namespace tarvek
