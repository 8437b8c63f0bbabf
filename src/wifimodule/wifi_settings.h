// The Wi-Fi dialog's working copy of the module's settings: the module's value as last read,
// plus what only the dialog keeps (the format each key edit shows its key in), and the mapping
// from the dialog's controls to the value a save writes.
#pragma once

#include <cstdint>
#include <string>

#include "wifimodule/module_settings.h"

namespace tarvek {

struct WifiSettings {
    ModuleSettings module;
    int m_nKeyFormat[kWepKeyCount] = {};

    // The stored text of key k (0..3) of a size (40-bit, else 104-bit) in a format: hex digits,
    // or the key's bytes up to the first zero.
    std::string StoredKeyText(Encryption size, int k, int format) const;
    // The WEP type the option register holds as read (a module may keep one under WPA).
    int WepType() const;
};

// What the save takes from the dialog's controls.
struct WifiFormValues {
    std::uint32_t address[kAddressCount] = {};  // IP, netmask, gateway, DNS (packed)
    std::string ssid;                           // ANSI bytes
    std::string wpaKey;                         // ANSI bytes
    int wifiMode = -1, channel = -1, encryption = -1, keyId = -1, auth = -1;
    int wpaAuth = -1, wpaCipher = -1;
    std::string keyText[kWepKeyCount];  // the four key edits
};

// The key edits as the save sees them: the selected encryption and key id and the key texts.
struct KeyEntry {
    int encryption = -1;
    int keyId = -1;
    std::string keyText[kWepKeyCount];
};

// The bytes of key k of a size (5 or 13): what the user typed for the selected key of the
// selected size, the stored form of every other key. Empty for a bad size or key.
Bytes WepKeyBytes(const WifiSettings& settings, const KeyEntry& entry, Encryption size, int k);

// The value a save of the controls writes: the read value with every control's entry in.
ModuleSettings SettingsToSave(const WifiSettings& settings, const WifiFormValues& form);

// The save's checks on the entries, before anything is sent: the value's, then the length of
// the selected WEP key in its format.
SaveRefusal ValidateSave(const WifiFormValues& form, const WifiSettings& settings);

}  // namespace tarvek
