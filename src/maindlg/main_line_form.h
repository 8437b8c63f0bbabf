// The main dialog's port and line settings: its control IDs, and its rule for the link a port
// text names ("COM" anywhere: the serial link; else "USB" anywhere: the USB link).
#pragma once

#include "controls/line_settings_form.h"
#include "res/resource.h"

namespace tarvek {

TransportKind MainPortKind(const std::string& portText);

inline constexpr controls::LineSettingsForm kMainLineForm{
    IDC_PORT, IDC_BAUDRATE,  IDC_PARITY,     IDC_DATABITS,  IDC_STOPBITS,
    IDC_FLOW, IDC_OPEN_PORT, IDC_CLOSE_PORT, &MainPortKind, false};

}  // namespace tarvek
