// The module's settings under the keys: the read value's keys (as the dialog shows them), and the
// value a save writes, the read value with every Wi-Fi setting asked for in.
#pragma once

#include "cli/settings/key_table.h"
#include "wifimodule/module_settings.h"

namespace tarvek::cli {

// Every Wi-Fi key's value; WEP keys only under a 40-bit or 104-bit encryption (their size), as
// hex digits.
Settings WifiValues(const ModuleSettings& module);

// The read value with every Wi-Fi setting asked for: a WEP key asked for replaces that key's
// bytes (of the encryption's size); every other key is written back as read.
ModuleSettings SettingsToSave(const ModuleSettings& read, const Settings& settings);

// The hex digits of a WEP key of a size (40-bit, else 104-bit).
std::string WepKeyHex(const ModuleSettings& module, Encryption size, int k);

// Two values of a key are the same setting (WEP keys by their bytes, whatever their form).
bool SameValue(const KeySpec& spec, const Value& a, const Value& b);

}  // namespace tarvek::cli
