// Reading all of the module's settings and writing them back, as operations independent of any
// window. Each reports the step it reached and how a failing step failed; the caller maps that
// to its messages and controls. An observer hears each completed step, and which comes next,
// while the exchange runs. The registers go in the order of their table.
#pragma once

#include <functional>

#include "wifimodule/module_protocol.h"
#include "wifimodule/module_settings.h"

namespace tarvek {

enum class StepFailure { None, NoReply, NotAcknowledged, Refused };

// The step of the flash command, after the register writes.
inline constexpr int kFlashStepIndex = -1;

struct SequenceResult {
    StepFailure failure = StepFailure::None;
    int step = 0;   // the 1-based step that failed (0 when none did)
    int index = 0;  // the register table index of that step (kFlashStepIndex for the flash)
    SaveRefusal refusal = SaveRefusal::None;
    bool flashAnswered = false;  // a save: the module answered the flash command with "701"
    bool ispModeLeft = false;    // a lost reply ended the session: ISP mode left, link closed
    bool Succeeded() const { return failure == StepFailure::None; }
};

// What comes after the last step of a sequence.
inline constexpr int kNoNextStep = -2;

// A completed step: the steps done so far (a save counts its unlock and, last, its flash), the
// register's table index (kMacQueryIndex for the MAC address, kFlashStepIndex for the flash)
// and the step that runs next, named the same way (kNoNextStep after the last).
struct StepDone {
    int done;
    int index;
    int next;
};
using StepObserver = std::function<void(const StepDone&)>;

// Steps of a read: each register, then the MAC address of a WPA-capable module (a module not
// yet read counts as one). Steps of a save: the unlock, each register, the flash.
int ReadStepCount(WifiModuleKind kind);
int SaveStepCount(WifiModuleKind kind);

// Reads registers 0..9 and, for a WPA-capable module, the MAC address, into settings (each
// step's values are in when the observer hears of it). Sets the module kind.
SequenceResult ReadWifiSettings(WifiModuleProtocol& protocol, ModuleSettings& settings,
                                const StepObserver& onStep);

// Checks the settings (with their encryption's fixes), unlocks, writes every register (09 05
// only to a WPA-capable module) and flashes. Nothing is flashed after a failed write.
SequenceResult WriteWifiSettings(WifiModuleProtocol& protocol, const ModuleSettings& settings,
                                 const StepObserver& onStep);

}  // namespace tarvek
