// The Power Save Mode and Code Page Setting groups.
#include "controls/info_dlg.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"

namespace tarvek {

void CTarvekDlg::OnPowerSaveChange() {
    const int mode = Host().GetListSelection(IDC_POWER_SAVE);
    if (mode == 0) {
        Host().EnableControl(IDC_POWER_MINUTES, false);
    } else if (mode == 1 || mode == 2) {
        Host().EnableControl(IDC_POWER_MINUTES, true);
    }
}

void CTarvekDlg::OnSavePowerSave() {
    if (!UpdateData(true)) {
        return;
    }
    const int mode = RequireSelection(IDC_POWER_SAVE);
    if (mode < 0) {
        return;
    }
    const int minutes = ParsePowerSaveMinutes(m_strPowerSaveMinutes);
    if (!Learn(m_session.SavePowerSave(mode, minutes))) {
        return;
    }
    CInfoDlg info;
    info.SetKind(CInfoDlg::kPowerSave);
    info.SetPowerSave(mode, minutes);
    if (Host().RunModal(info) == ui::kIdOk) {
        Host().EnableControl(IDC_SAVE_POWER_SAVE, false);
        Host().EnableControl(IDC_POWER_SAVE, false);
        Host().EnableControl(IDC_POWER_MINUTES, false);
    }
    // However the confirmation was closed, the port closes.
    OnClosePort();
}

void CTarvekDlg::OnSaveCodePage() {
    if (!UpdateData(true)) {
        return;
    }
    const int codePage = RequireSelection(IDC_CODE_PAGE);
    if (codePage < 0) {
        return;
    }
    m_session.SaveCodePage(codePage);
    CInfoDlg info;
    info.SetKind(CInfoDlg::kCodePage);
    info.SetCodePage(codePage);
    Host().RunModal(info);
}

void CTarvekDlg::OnPrintCodePage() {
    if (!UpdateData(true)) {
        return;
    }
    m_session.PrintCodePage();
}

}  // namespace tarvek
