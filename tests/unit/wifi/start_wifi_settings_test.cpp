// The main dialog's Start Wi-Fi Settings button runs the Wi-Fi dialog on the Wi-Fi links.
#include <gtest/gtest.h>

#include "maindlg/tarvek_dlg.h"
#include "wifi_dialog_fixture.h"

namespace tarvek {
namespace {

TEST(StartWifiSettings, RunsTheWifiDialogModallyOnItsOwnLinks) {
    testing::WifiDialogEnv env;
    CTarvekDlg main(env.services);
    ui::RecordingHost host;
    host.Start(main);
    ASSERT_TRUE(host.Control(IDC_START_WIFI).enabled);
    host.SetChildRunner([&env](ui::DialogLogic& child) {
        EXPECT_EQ(child.TemplateId(), IDD_WIFI_DIALOG);
        ui::RecordingHost childHost;
        childHost.Start(child);
        childHost.Click(IDC_WIFI_OPEN_PORT);  // nothing answers: ISP mode fails
        EXPECT_EQ(env.serial.Opens(), 1);
        childHost.CloseByUser();
        return childHost.EndResult();
    });
    host.Click(IDC_START_WIFI);
    EXPECT_EQ(env.mainSerial.Opens(), 0);
    EXPECT_EQ(env.serial.Opens(), 1);
    EXPECT_FALSE(env.serial.IsOpen());
}

}  // namespace
}  // namespace tarvek
