// Control groups of the Wi-Fi dialog that several of its handler files walk.
#pragma once

#include "res/resource.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::wifidlg {

inline constexpr int kKeyEdits[kWepKeyCount] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
inline constexpr int kKeyFormatCombos[kWepKeyCount] = {IDC_KEY1_FORMAT, IDC_KEY2_FORMAT,
                                                       IDC_KEY3_FORMAT, IDC_KEY4_FORMAT};
inline constexpr int kAddressControls[4] = {IDC_WIFI_IP, IDC_WIFI_NETMASK, IDC_WIFI_GATEWAY,
                                            IDC_WIFI_DNS};

}  // namespace tarvek::wifidlg
