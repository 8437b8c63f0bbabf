// The main dialog's named control states: for each control, what each state-setting operation
// does to its enabled state.
#pragma once

#include <cstddef>

#include "ui/control_states.h"

namespace tarvek {

// The operations that set a whole state (the table's columns).
enum MainStateColumn : int {
    kStateInitial = 0,        // OnInitDialog
    kStatePortOpen,           // a successful Open Port
    kStateClosePort,          // Close Port, and the end of Save Power Save Mode
    kStateAfterSaveSerial,    // Save Serial Port Configuration
    kStateAfterSetEmulation,  // Set CPCL, Set ESC/POS
};

extern const ui::StateRow kMainDialogStates[];
extern const std::size_t kMainDialogStateCount;

}  // namespace tarvek
