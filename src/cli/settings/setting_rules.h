// The rules that join keys: what one setting means depends on another (a WEP key's size on the
// encryption, the authentication that an encryption fixes, data bits and parity together). They
// run on the settings alone before the port is opened, and the Wi-Fi ones again against the
// encryption the module holds once it has been read, before anything is written.
#pragma once

#include "cli/settings/key_value_input.h"
#include "link/serial_settings.h"
#include "wifimodule/module_enums.h"

namespace tarvek::cli {

// The line after the apply: the line the printer is reached on with the serial keys applied.
SerialLineSettings LineAfter(const SerialLineSettings& current, const Settings& settings);
bool HasSerialKeys(const Settings& settings);

// Every rule that needs only the settings and the line used.
bool CheckSettings(const Settings& settings, const SerialLineSettings& line, InputError& error);
// The Wi-Fi rules against the encryption in force.
bool CheckEncryptionRules(const Settings& settings, Encryption encryption, InputError& error);
// Removes the keys the encryption fixes (a saved profile names only what it can change).
void DropFixedKeys(Settings& settings, Encryption encryption);

}  // namespace tarvek::cli
