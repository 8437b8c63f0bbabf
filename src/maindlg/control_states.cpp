#include "maindlg/control_states.h"

#include "res/resource.h"

namespace tarvek {
namespace {

constexpr Cell K = Cell::Keep, E = Cell::Enable, D = Cell::Disable,
               ED = Cell::EnableEscPosDisableCpcl, EK = Cell::EnableEscPosKeepCpcl,
               KD = Cell::KeepEscPosDisableCpcl, KE = Cell::KeepCpclOnComElseEnable;

}  // namespace

const std::vector<StateRow>& MainDialogStateTable() {
    // Columns: initial, port open, Close Port, after Save Serial Port Configuration,
    // after Set CPCL / Set ESC/POS.
    static const std::vector<StateRow> table = {
        {IDC_PORT, {E, D, E, E, E}},
        {IDC_OPEN_PORT, {E, D, E, E, E}},
        {IDC_CLOSE_PORT, {D, E, D, D, D}},
        {IDC_SAVE_SERIAL, {D, E, D, D, D}},
        {IDC_GET_EMULATION, {D, E, D, D, D}},
        {IDC_SET_CPCL, {D, E, D, D, D}},
        {IDC_SET_ESCPOS, {D, E, D, D, D}},
        {IDC_GET_BLUETOOTH, {D, E, D, D, D}},
        {IDC_PIN_CODE, {D, E, D, D, D}},
        {IDC_DISCOVERABLE_ON, {D, E, D, D, D}},
        {IDC_DISCOVERABLE_OFF, {D, E, D, D, D}},
        {IDC_SAVE_PIN, {D, E, D, D, D}},
        {IDC_SAVE_DISCOVERABLE, {D, E, D, D, D}},
        {IDC_START_WIFI, {E, D, E, E, E}},
        {IDC_POWER_SAVE, {D, E, D, D, D}},
        {IDC_SAVE_POWER_SAVE, {D, E, D, D, D}},
        {IDC_POWER_MINUTES, {D, K, D, D, D}},
        {IDC_CODE_PAGE, {D, EK, D, D, D}},
        {IDC_SAVE_CODE_PAGE, {D, EK, D, D, D}},
        {IDC_PRINT_CODE_PAGE, {D, EK, D, D, D}},
        {IDOK, {E, D, E, E, E}},
        {IDC_BAUDRATE, {E, KE, E, K, E}},
        {IDC_PARITY, {E, KE, E, K, E}},
        {IDC_STOPBITS, {E, KE, E, K, E}},
        {IDC_DATABITS, {E, ED, ED, K, ED}},
        {IDC_FLOW, {E, KD, ED, K, ED}},
    };
    return table;
}

int CellEffect(Cell cell, int emulation, bool usbPort) {
    const bool escPos = emulation == kEmulationEscPos;
    switch (cell) {
        case Cell::Keep:
            return -1;
        case Cell::Enable:
            return 1;
        case Cell::Disable:
            return 0;
        case Cell::EnableEscPosDisableCpcl:
            return escPos ? 1 : 0;
        case Cell::EnableEscPosKeepCpcl:
            return escPos ? 1 : -1;
        case Cell::KeepEscPosDisableCpcl:
            return escPos ? -1 : 0;
        case Cell::KeepCpclOnComElseEnable:
            return (escPos || usbPort) ? 1 : -1;
    }
    return -1;
}

}  // namespace tarvek
