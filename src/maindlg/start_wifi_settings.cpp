#include "maindlg/tarvek_dlg.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek {

// Runs the Wi-Fi dialog modally on its own links; the main dialog's port is closed while the
// button is enabled, and nothing here is refreshed afterwards.
void CTarvekDlg::OnStartWifiSettings() {
    CWifiSetDlg dialog(m_services.wifi);
    Host().RunModal(dialog);
}

}  // namespace tarvek
