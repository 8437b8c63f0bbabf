#include "maindlg/control_states.h"

#include <iterator>

#include "res/resource.h"

namespace tarvek {
namespace {

using ui::Cell;
constexpr Cell K = Cell::Keep, E = Cell::On, D = Cell::Off, ED = Cell::OnEscPosOffCpcl,
               EK = Cell::OnEscPosKeepCpcl, KD = Cell::KeepEscPosOffCpcl,
               KE = Cell::OnEscPosOrUsbElseKeep;

}  // namespace

// Columns: initial, port open, Close Port, after Save Serial Port Configuration,
// after Set CPCL / Set ESC/POS.
const ui::StateRow kMainDialogStates[] = {
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
const std::size_t kMainDialogStateCount = std::size(kMainDialogStates);

}  // namespace tarvek
