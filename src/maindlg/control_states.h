// The main dialog's named control states: for each control, what each state-setting operation
// does to its enabled state. Kept as one table so the handlers and the tests read the same data.
#pragma once

#include <vector>

#include "printer/printer_commands.h"

namespace tarvek {

// The operations that set a whole state.
enum class StateColumn : int {
    Initial = 0,        // OnInitDialog
    PortOpen,           // a successful Open Port
    ClosePort,          // Close Port, and the end of Save Power Save Mode
    AfterSaveSerial,    // Save Serial Port Configuration
    AfterSetEmulation,  // Set CPCL, Set ESC/POS
};
inline constexpr int kStateColumnCount = 5;

// What a column does to one control.
enum class Cell : unsigned char {
    Keep,                     // left as it was
    Enable,                   //
    Disable,                  //
    EnableEscPosDisableCpcl,  // by the emulation at that moment
    EnableEscPosKeepCpcl,     //
    KeepEscPosDisableCpcl,    //
    KeepCpclOnComElseEnable,  // the line combos in the port-open state
};

struct StateRow {
    int controlId;
    Cell cells[kStateColumnCount];
};

// Every control the state table names, with its five columns.
const std::vector<StateRow>& MainDialogStateTable();

// The enabled state a cell gives: 1 enable, 0 disable, -1 keep.
int CellEffect(Cell cell, int emulation, bool usbPort);

}  // namespace tarvek
