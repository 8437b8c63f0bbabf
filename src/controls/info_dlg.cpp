#include "controls/info_dlg.h"

#include "controls/dressing.h"
#include "res/resource.h"
#include "texts/info_texts.h"

namespace tarvek {

CInfoDlg::CInfoDlg() : DialogLogic(IDD_INFO_DIALOG) {}

bool CInfoDlg::OnInitDialog() {
    ui::DialogHost& host = Host();
    const int codePage = host.AnsiCodePage();
    controls::DressInfoDialog(host);

    if (m_nKind == kPowerSave) {
        host.SetTitle(texts::kPowerSaveTitle.For(codePage));
        host.SetText(IDOK, texts::kOkCaption.For(codePage));
        host.SetText(IDC_INFO_TEXT, texts::PowerSaveSentence(m_nPowerMode, m_nMinutes, codePage));
    } else if (m_nKind == kCodePage) {
        host.SetTitle(texts::kCodePageTitle.For(codePage));
        host.SetText(IDOK, texts::kOkCaption.For(codePage));
        host.SetText(IDC_INFO_TEXT, texts::CodePageSentence(m_nCodePage, codePage));
    }
    return true;
}

}  // namespace tarvek
