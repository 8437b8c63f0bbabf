// The Bluetooth group: read address and discoverable mode, write PIN code and mode.
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "texts/printer_texts.h"

namespace tarvek {

void CTarvekDlg::OnGetBluetooth() {
    const BluetoothResult result = m_session.ReadBluetooth();
    if (result.addressRead) {
        m_strBtAddress = result.address;
        ShowStrings();
    }
    if (!Learn(result)) {
        return;
    }
    const bool on = result.discoverable == 1;
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
    const PrinterResult result = m_session.SavePin(m_strPinCode);
    if (result.failure == PrinterFailure::BadValue) {
        ShowError(texts::kPinRefused);
        return;
    }
    if (Learn(result)) {
        Host().EnableControl(IDC_SAVE_PIN, false);
    }
}

void CTarvekDlg::OnSaveDiscoverable() {
    if (!UpdateData(true)) {
        return;
    }
    // Only a mode read from the printer or chosen by the user is sent.
    if (m_nDiscoverable != 0 && m_nDiscoverable != 1) {
        ShowError(texts::kChooseDiscoverable);
        return;
    }
    if (Learn(m_session.SaveDiscoverable(m_nDiscoverable == 1))) {
        Host().EnableControl(IDC_SAVE_DISCOVERABLE, false);
    }
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
