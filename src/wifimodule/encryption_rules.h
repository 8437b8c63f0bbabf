// What each encryption fixes: the settings a save writes whatever was asked, because the
// encryption in use leaves them no meaning (the module's option packing). Without encryption
// the authentication is Open System; with WPA the key index is the first and the
// authentication Shared Key; WPA's own settings are cleared unless WPA is chosen.
#pragma once

#include <iterator>

#include "wifimodule/module_enums.h"

namespace tarvek {

enum class FixedSetting : int { KeyIndex, Authentication, WpaAuthentication, WpaCipher };

struct EncryptionFix {
    Encryption encryption;
    FixedSetting setting;
    int value;  // the list position written
};

inline constexpr EncryptionFix kEncryptionFixes[] = {
    {Encryption::None, FixedSetting::Authentication, static_cast<int>(Authentication::OpenSystem)},
    {Encryption::None, FixedSetting::WpaAuthentication, 0},
    {Encryption::None, FixedSetting::WpaCipher, 0},
    {Encryption::Wep40, FixedSetting::WpaAuthentication, 0},
    {Encryption::Wep40, FixedSetting::WpaCipher, 0},
    {Encryption::Wep104, FixedSetting::WpaAuthentication, 0},
    {Encryption::Wep104, FixedSetting::WpaCipher, 0},
    {Encryption::Wpa, FixedSetting::KeyIndex, 0},
    {Encryption::Wpa, FixedSetting::Authentication, static_cast<int>(Authentication::SharedKey)},
};

// The value an encryption fixes for a setting (a list position); -1 where it fixes none.
constexpr int FixedValue(Encryption encryption, FixedSetting setting) {
    for (const EncryptionFix& fix : kEncryptionFixes) {
        if (fix.encryption == encryption && fix.setting == setting) {
            return fix.value;
        }
    }
    return -1;
}

// The cipher that goes with each WPA authentication: none with none, TKIP with WPA, AES with
// WPA2 (the lists' positions pair up).
constexpr WpaCipher CipherFor(WpaAuthentication authentication) {
    return static_cast<WpaCipher>(static_cast<int>(authentication));
}

// The WPA mode the module stores for each entry of the WPA authentication list.
inline constexpr int kWpaModeCodes[] = {0, 2, 4};

// The module's WPA mode of a list entry (an entry the list does not have is used unchanged).
constexpr int WpaModeCode(WpaAuthentication entry) {
    const int i = static_cast<int>(entry);
    return i >= 0 && i < static_cast<int>(std::size(kWpaModeCodes)) ? kWpaModeCodes[i] : i;
}

// The list entry that shows a WPA mode read from the module; -1 for a mode the list lacks.
constexpr WpaAuthentication WpaEntryOfCode(int code) {
    for (int i = 0; i < static_cast<int>(std::size(kWpaModeCodes)); ++i) {
        if (kWpaModeCodes[i] == code) {
            return static_cast<WpaAuthentication>(i);
        }
    }
    return static_cast<WpaAuthentication>(-1);
}

// The option register tells the encryption by two fields: WPA wherever the WPA mode is set, else
// the WEP type (none, 40 or 104 bits). WPA writes no WEP type.
constexpr int WepTypeOf(Encryption encryption) {
    return encryption == Encryption::Wpa ? 0 : static_cast<int>(encryption);
}
constexpr Encryption EncryptionOfOptions(int wepType, int wpaMode) {
    return wpaMode != 0 ? Encryption::Wpa : static_cast<Encryption>(wepType);
}

}  // namespace tarvek
