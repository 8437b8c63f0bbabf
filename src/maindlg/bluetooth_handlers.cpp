// The Bluetooth group: read address and discoverable mode, write PIN code and mode.
#include <cstring>

#include "maindlg/main_texts.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"

namespace tarvek {

void CTarvekDlg::OnGetBluetooth() {
    const int query = QueryEmulation();
    if (query != 0) {
        ShowQueryFailure(query);
        return;
    }
    std::uint8_t answer[256];
    std::memset(answer, 0, sizeof answer);
    Send(BuildBluetoothAddressQuery(m_nEmulation));
    // Each answer is awaited as long as the emulation's (a silent printer ends it).
    int count = ReadAnswer(answer, sizeof answer);
    if (count == 0) {
        ShowError(maintext::kNoResponse);
        return;
    }
    m_strBtAddress = ParseBluetoothAddress(answer, count);
    ShowStrings();

    std::memset(answer, 0, sizeof answer);
    Send(BuildDiscoverableQuery(m_nEmulation));
    count = ReadAnswer(answer, sizeof answer);
    if (count == 0) {
        ShowError(maintext::kNoResponse);
        return;
    }
    const bool on = ParseDiscoverableAnswer(answer, count);
    Host().CheckRadioButton(IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF,
                            on ? IDC_DISCOVERABLE_ON : IDC_DISCOVERABLE_OFF);
    m_nDiscoverable = on ? 1 : 0;
    m_strPinCode = "?";
    ShowStrings();
    Host().EnableControl(IDC_SAVE_PIN, false);
    Host().EnableControl(IDC_SAVE_DISCOVERABLE, false);
}

void CTarvekDlg::OnSavePin() {
    if (!UpdateData(true)) {
        return;
    }
    const int query = QueryEmulation();
    if (query != 0) {
        ShowQueryFailure(query);
        return;
    }
    Send(BuildBluetoothPinCommand(m_nEmulation, m_strPinCode));
    Host().EnableControl(IDC_SAVE_PIN, false);
}

void CTarvekDlg::OnSaveDiscoverable() {
    if (!UpdateData(true)) {
        return;
    }
    // Only a mode read from the printer or chosen by the user is sent.
    if (m_nDiscoverable != 0 && m_nDiscoverable != 1) {
        ShowError(maintext::kChooseDiscoverable);
        return;
    }
    const int query = QueryEmulation();
    if (query != 0) {
        ShowQueryFailure(query);
        return;
    }
    Send(BuildDiscoverableCommand(m_nEmulation, m_nDiscoverable == 1));
    Host().EnableControl(IDC_SAVE_DISCOVERABLE, false);
}

void CTarvekDlg::OnDiscoverableOn() {
    if (m_nDiscoverable == 1) {
        return;
    }
    Host().CheckRadioButton(IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF, IDC_DISCOVERABLE_ON);
    m_nDiscoverable = 1;
    Host().EnableControl(IDC_SAVE_DISCOVERABLE, true);
}

void CTarvekDlg::OnDiscoverableOff() {
    if (m_nDiscoverable == 0) {
        return;
    }
    Host().CheckRadioButton(IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF, IDC_DISCOVERABLE_OFF);
    m_nDiscoverable = 0;
    Host().EnableControl(IDC_SAVE_DISCOVERABLE, true);
}

void CTarvekDlg::OnPinChange() {
    if (m_bShowingStrings) {
        return;
    }
    UpdateData(true);
    Host().EnableControl(IDC_SAVE_PIN, !m_strPinCode.empty());
}

}  // namespace tarvek
