// The Information dialog's title, sentence and OK caption for each kind, in English and Korean.
#include "controls/info_dlg.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "support/recording_host.h"

namespace tarvek {
namespace {

struct Case {
    int codePage, kind, mode, minutes, codePageNumber;
    const char *title, *sentence, *ok;
};

// The sentences of the main dialog's saves are asserted with them (unit/maindlg).
const Case kCases[] = {
    {1252, CInfoDlg::kPowerSave, 3, 10, 0, "Power Save Mode Setting Information", "", "OK"},
    {949, CInfoDlg::kPowerSave, 1, 7, 0, "파워 저장 모드 설정 정보",
     "7분 후에 프린터 전원이 자동으로 끄집니다.", "확인"},
    {1252, CInfoDlg::kCodePage, 0, 0, 24, "Code Page Setting Information", "Code Page changed to .",
     "OK"},  // a number outside the table names nothing
    {949, CInfoDlg::kCodePage, 0, 0, 0, "코드 페이지 설정 정보",
     "코드 페이지가 CP_437로 변경되었습니다.", "확인"},
    {1252, 7, 2, 30, 0, "", "", ""},  // another kind changes nothing
};

TEST(InfoDialog, TextsOfEachKind) {
    for (const Case& c : kCases) {
        CInfoDlg dlg;
        dlg.SetKind(c.kind);
        dlg.SetPowerSave(c.mode, c.minutes);
        dlg.SetCodePage(c.codePageNumber);
        ui::RecordingHost host(c.codePage);
        host.Start(dlg);
        EXPECT_EQ(host.GetTitle(), c.title) << c.sentence;
        EXPECT_EQ(host.GetText(IDC_INFO_TEXT), c.sentence);
        EXPECT_EQ(host.GetText(IDOK), c.ok) << c.sentence;
    }
}

}  // namespace
}  // namespace tarvek
