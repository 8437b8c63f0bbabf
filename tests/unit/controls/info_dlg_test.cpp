#include "controls/info_dlg.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/recording_host.h"

namespace tarvek {
namespace {

using ui::RecordingHost;

struct Shown {
    std::string title, text, ok;
    int okIcon;
};

Shown Show(CInfoDlg& dlg, int codePage = 1252) {
    RecordingHost host(codePage);
    host.Start(dlg);
    return {host.GetTitle(), host.Control(IDC_INFO_TEXT).text, host.Control(IDOK).text,
            host.Control(IDOK).buttonIcon};
}

TEST(InfoDialog, PowerSaveSentences) {
    CInfoDlg dlg;
    dlg.SetKind(CInfoDlg::kPowerSave);
    dlg.SetPowerSave(2, 30);
    Shown s = Show(dlg);
    EXPECT_EQ(s.title, "Power Save Mode Setting Information");
    EXPECT_EQ(s.text, "The printer goes into power save mode after 30 minute.");
    EXPECT_EQ(s.ok, "OK");
    EXPECT_EQ(s.okIcon, IDI_INFO_OK);

    dlg.SetPowerSave(1, 5);
    EXPECT_EQ(Show(dlg).text, "The printer power will be off after 5 minute.");
    dlg.SetPowerSave(0, 99);
    EXPECT_EQ(Show(dlg).text, "Printer does not support the power save mode.");
    dlg.SetPowerSave(3, 10);
    EXPECT_EQ(Show(dlg).text, "");
    dlg.SetPowerSave(-1, 10);
    EXPECT_EQ(Show(dlg).text, "");
}

TEST(InfoDialog, CodePageSentenceNamesTheTableEntry) {
    CInfoDlg dlg;
    dlg.SetKind(CInfoDlg::kCodePage);
    dlg.SetCodePage(0);
    Shown s = Show(dlg);
    EXPECT_EQ(s.title, "Code Page Setting Information");
    EXPECT_EQ(s.text, "Code Page changed to CP_437.");
    dlg.SetCodePage(23);
    EXPECT_EQ(Show(dlg).text, "Code Page changed to THAI TIS-11.");
    // Outside the table: no name is read from beyond it.
    dlg.SetCodePage(24);
    EXPECT_EQ(Show(dlg).text, "Code Page changed to .");
}

TEST(InfoDialog, KoreanTextsOnCodePage949) {
    CInfoDlg dlg;
    dlg.SetKind(CInfoDlg::kPowerSave);
    dlg.SetPowerSave(1, 7);
    Shown s = Show(dlg, 949);
    EXPECT_EQ(s.title, "파워 저장 모드 설정 정보");
    EXPECT_EQ(s.text, "7분 후에 프린터 전원이 자동으로 끄집니다.");
    EXPECT_EQ(s.ok, "확인");
    dlg.SetKind(CInfoDlg::kCodePage);
    dlg.SetCodePage(0);
    EXPECT_EQ(Show(dlg, 949).text, "코드 페이지가 CP_437로 변경되었습니다.");
}

TEST(InfoDialog, UnknownKindChangesNothing) {
    CInfoDlg dlg;
    RecordingHost host;
    host.SetTitle("Information");
    host.SetText(IDC_INFO_TEXT, "Static");
    host.Start(dlg);
    EXPECT_EQ(host.GetTitle(), "Information");
    EXPECT_EQ(host.Control(IDC_INFO_TEXT).text, "Static");
    EXPECT_EQ(host.Control(IDOK).buttonIcon, IDI_INFO_OK);
}

TEST(InfoDialog, EndsWithOkOrCancel) {
    CInfoDlg ok;
    RecordingHost a;
    a.Start(ok);
    a.Click(IDOK);
    EXPECT_TRUE(a.Ended());
    EXPECT_EQ(a.EndResult(), ui::kIdOk);
    CInfoDlg cancel;
    RecordingHost b;
    b.Start(cancel);
    b.PressEscape();
    EXPECT_EQ(b.EndResult(), ui::kIdCancel);
}

}  // namespace
}  // namespace tarvek
