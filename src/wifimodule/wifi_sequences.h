// Reading all of the module's settings and writing them back, as operations independent of any
// window. Each reports the step it reached and how a failing step failed; the caller maps that
// to its messages and controls. An observer hears each completed step, with its progress
// position, while the exchange runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "wifimodule/module_protocol.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek {

enum class StepFailure { None, NoReply, NotAcknowledged, Refused };

// Why a save was refused before anything was sent.
enum class SaveRefusal {
    None,
    NoSelection,          // a list whose value is packed has no selection
    NotRead,              // the settings were never read from this module
    KeyTooLong,           // an ASCII WEP key longer than its 5 or 13 bytes
    KeyLengthNotMatched,  // a HEX WEP key not of 10 or 26 digits
    WpaKeyLength,         // a WPA passphrase outside 8 to 31 characters
};

// The step of the flash command, after the register writes.
inline constexpr int kFlashStepIndex = -1;

struct SequenceResult {
    StepFailure failure = StepFailure::None;
    int step = 0;   // the 1-based step that failed (0 when none did)
    int index = 0;  // the register table index of that step (kFlashStepIndex for the flash)
    SaveRefusal refusal = SaveRefusal::None;
    bool flashAnswered = false;  // a save: the module answered the flash command with "701"
    bool Succeeded() const { return failure == StepFailure::None; }
};

// After a completed step: its number, the register's table index and the progress position
// (-1 when the step has none).
using StepObserver = std::function<void(int step, int index, int progress)>;

// Reads registers 0..9 and, for a WPA-capable module, the MAC address. Sets m_nModuleKind.
// Clears the stored hex key texts first.
SequenceResult ReadWifiSettings(WifiModuleProtocol& protocol, WifiSettings& settings,
                                const StepObserver& onStep);

// What the save takes from the dialog's controls.
struct WifiFormValues {
    std::uint32_t address[4] = {};  // IP, netmask, gateway, DNS (packed)
    std::string ssid;               // ANSI bytes
    std::string wpaKey;             // ANSI bytes
    int wifiMode = -1, channel = -1, encryption = -1, keyId = -1, auth = -1;
    int wpaAuth = -1, wpaCipher = -1;
    std::string keyText[kWepKeyCount];  // the four key edits
};

// The WPA Authentication list entry (0 none, 1 WPA PSK, 2 WPA2 PSK) that shows a WPA mode read
// from the module (0, 2, 4); -1 for a mode the list does not offer. The save maps it back.
int WpaAuthEntry(int wpaMode);

// The save's checks on the entries, before anything is sent.
SaveRefusal ValidateSave(const WifiFormValues& form, const WifiSettings& settings);

// Validates, unlocks, writes every register (09 05 only to a WPA-capable module, with the key
// derived from the passphrase and SSID just written) and flashes. Nothing is flashed after a
// failed write.
SequenceResult WriteWifiSettings(WifiModuleProtocol& protocol, WifiSettings& settings,
                                 const WifiFormValues& form, const StepObserver& onStep);

}  // namespace tarvek
