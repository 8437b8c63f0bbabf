// Control groups of the Wi-Fi dialog that several of its handler files walk, and its port and
// line settings (the link a port text names: "USB..." or "COM...", else none).
#pragma once

#include <iterator>
#include <string>

#include "controls/line_settings_form.h"
#include "res/resource.h"
#include "wifimodule/module_session.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::wifidlg {

// The link the port text selects: "USB..." the USB printer, "COM..." a serial port (both
// case-sensitive, by the first three characters), anything else no link.
TransportKind ModulePortKind(const std::string& portName);

// Where the progress bar stands after each of the first five registers, read or written; the
// other steps leave it where it is, and a sequence's end sets 100.
inline constexpr int kProgressAfterRegister[] = {16, 33, 50, 66, 83};
inline int ProgressAfter(int index) {
    return index >= 0 && index < static_cast<int>(std::size(kProgressAfterRegister))
               ? kProgressAfterRegister[index]
               : -1;
}

inline constexpr int kKeyEdits[kWepKeyCount] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
inline constexpr int kKeyFormatCombos[kWepKeyCount] = {IDC_KEY1_FORMAT, IDC_KEY2_FORMAT,
                                                       IDC_KEY3_FORMAT, IDC_KEY4_FORMAT};
inline constexpr int kAddressControls[4] = {IDC_WIFI_IP, IDC_WIFI_NETMASK, IDC_WIFI_GATEWAY,
                                            IDC_WIFI_DNS};

inline constexpr controls::LineSettingsForm kWifiLineForm{
    IDC_WIFI_PORT, IDC_WIFI_BAUDRATE,  IDC_WIFI_PARITY,     IDC_WIFI_DATABITS, IDC_WIFI_STOPBITS,
    IDC_WIFI_FLOW, IDC_WIFI_OPEN_PORT, IDC_WIFI_CLOSE_PORT, &ModulePortKind,   true};

}  // namespace tarvek::wifidlg
