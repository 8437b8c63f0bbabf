#include "maindlg/tarvek_dlg.h"

// Runs the Wi-Fi dialog; filled in by the Wi-Fi dialog's own work.
void tarvek::CTarvekDlg::OnStartWifiSettings() {}
