// The main dialog's frame: start-up besides the lists, the Korean texts, the About box, the
// length limits on Exit, the close rules and the way into the Wi-Fi dialog.
#include "app/about_dlg.h"
#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

TEST(MainDialogFrame, StartUpAddsTheAboutItemAndSendsNothing) {
    MainDialog d;
    EXPECT_EQ(d.host.SystemMenuItems(),
              (std::vector<std::pair<int, std::string>>{{IDM_ABOUTBOX, "&About Tarvek..."}}));
    EXPECT_EQ(d.host.GetTitle(), "");  // the template's English captions stay
    EXPECT_EQ(d.model.HostByteCount(), 0);
    ui::RecordingHost bare;  // no menu text, no item
    CTarvekDlg dlg(d.services);
    bare.Start(dlg);
    EXPECT_TRUE(bare.SystemMenuItems().empty());
}

TEST(MainDialogFrame, CodePage949GivesTheKoreanTexts) {
    MainDialog d(949);
    EXPECT_EQ(d.host.GetTitle(), "Veltrin 라벨 프린터 설정 유틸리티 1.40");
    EXPECT_EQ(d.host.GetText(IDC_LABEL_MINUTE), "분");
    EXPECT_EQ(d.host.GetText(IDC_GROUP_DISCOVERABLE), "검색 모드 정보");
    EXPECT_EQ(d.host.GetText(IDC_DISCOVERABLE_ON), "");  // ON keeps its English caption
}

TEST(MainDialogFrame, TheSystemMenuItemRunsTheAboutBox) {
    MainDialog d;
    d.services.makeAboutBox = [] { return std::make_unique<CAboutTarvekDlg>(); };
    EXPECT_FALSE(d.dlg.OnSysCommand(0xF060));             // SC_CLOSE is the platform's
    EXPECT_TRUE(d.dlg.OnSysCommand(IDM_ABOUTBOX | 0x3));  // the low bits are the system's
    d.services.makeAboutBox = nullptr;
    EXPECT_TRUE(d.dlg.OnSysCommand(IDM_ABOUTBOX));
    ASSERT_EQ(d.host.Children().size(), 1u);
    EXPECT_EQ(d.host.Children()[0].templateId, IDD_ABOUTBOX);
}

TEST(MainDialogFrame, ExitRefusesATooLongTextAndAClientHidesTheDialogInstead) {
    MainDialog d;
    d.host.MutableControl(IDC_POWER_MINUTES).text = "123";
    d.host.Click(IDOK);
    EXPECT_EQ(d.host.Messages().at(0).text, "Please enter no more than 2 characters.");
    d.host.MutableControl(IDC_POWER_MINUTES).text = "12";
    d.dlg.m_pAutoProxy = reinterpret_cast<CTarvekDlgAutoProxy*>(&d);  // any client
    for (auto gesture : {&ui::RecordingHost::PressEscape, &ui::RecordingHost::CloseByUser}) {
        d.host.ShowWindow(true);
        (d.host.*gesture)();
        EXPECT_FALSE(d.host.Visible());
    }
    d.host.ShowWindow(true);
    d.host.Click(IDOK);
    EXPECT_FALSE(d.host.Visible());
    EXPECT_FALSE(d.host.Ended());
    d.dlg.m_pAutoProxy = nullptr;
    d.host.Click(IDOK);
    EXPECT_EQ(d.host.EndResult(), ui::kIdOk);
}

TEST(MainDialogFrame, StartWifiSettingsRunsTheWifiDialogOnItsOwnLinks) {
    MainDialog d;
    d.host.SetChildRunner([&](ui::DialogLogic& child) {
        EXPECT_EQ(child.TemplateId(), IDD_WIFI_DIALOG);
        ui::RecordingHost childHost;
        childHost.Start(child);
        childHost.Click(IDC_WIFI_OPEN_PORT);
        childHost.CloseByUser();
        return childHost.EndResult();
    });
    d.host.Click(IDC_START_WIFI);
    EXPECT_EQ(d.portCheck.asked.at(0).second, PortConflictVariant::WifiDialog);
    EXPECT_TRUE(d.serial.Writes().empty());
    EXPECT_FALSE(d.wifiSerial.Writes().empty());
    EXPECT_FALSE(d.model.State().ispMode);
}

}  // namespace
}  // namespace tarvek::testing
