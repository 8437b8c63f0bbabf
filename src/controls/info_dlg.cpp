#include "controls/info_dlg.h"

#include "controls/dressing.h"
#include "printer/code_page_table.h"
#include "res/resource.h"
#include "texts/localized_text.h"

namespace tarvek {
namespace {

using ui::LocalizedText;

constexpr LocalizedText kPowerSaveTitle{"Power Save Mode Setting Information",
                                        "파워 저장 모드 설정 정보"};
constexpr LocalizedText kCodePageTitle{"Code Page Setting Information", "코드 페이지 설정 정보"};
constexpr LocalizedText kOkCaption{"OK", "확인"};
constexpr LocalizedText kCodePageChanged{"Code Page changed to %s.",
                                         "코드 페이지가 %s로 변경되었습니다."};

// Indexed by the power-save mode: none, power off, power save.
constexpr LocalizedText kPowerSaveTexts[] = {
    {"Printer does not support the power save mode.", "프린터 파워 저장 기능을 사용하지 않습니다."},
    {"The printer power will be off after %d minute.",
     "%d분 후에 프린터 전원이 자동으로 끄집니다."},
    {"The printer goes into power save mode after %d minute.",
     "%d분 후에 프린터가 자동으로 파워 절약 모드가 됩니다."},
};

}  // namespace

CInfoDlg::CInfoDlg() : DialogLogic(IDD_INFO_DIALOG) {}

bool CInfoDlg::OnInitDialog() {
    ui::DialogHost& host = Host();
    const int codePage = host.AnsiCodePage();
    controls::DressInfoDialog(host);

    if (m_nKind == kPowerSave) {
        host.SetTitle(kPowerSaveTitle.For(codePage));
        host.SetText(IDOK, kOkCaption.For(codePage));
        std::string text;
        if (m_nPowerMode >= 0 && m_nPowerMode < static_cast<int>(std::size(kPowerSaveTexts))) {
            text = ui::FormatText(kPowerSaveTexts[m_nPowerMode].For(codePage), m_nMinutes);
        }
        host.SetText(IDC_INFO_TEXT, text);
    } else if (m_nKind == kCodePage) {
        host.SetTitle(kCodePageTitle.For(codePage));
        host.SetText(IDOK, kOkCaption.For(codePage));
        // An index outside the table names nothing rather than reading past it.
        const char* name = CodePageName(m_nCodePage);
        host.SetText(IDC_INFO_TEXT,
                     ui::FormatText(kCodePageChanged.For(codePage), name != nullptr ? name : ""));
    }
    return true;
}

}  // namespace tarvek
