#include "controls/dressing.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "ui/recording_host.h"

namespace tarvek::controls {
namespace {

using ui::CaptionAlign;
using ui::RecordingHost;

TEST(Dressing, MainDialogButtonsAndBoxes) {
    RecordingHost host;
    DressMainDialog(host);
    const std::pair<int, int> icons[] = {
        {IDC_OPEN_PORT, 130},
        {IDC_CLOSE_PORT, 135},
        {IDC_GET_BLUETOOTH, 131},
        {IDC_SAVE_SERIAL, 133},
        {IDC_GET_EMULATION, 138},
        {IDC_SAVE_PIN, 133},
        {IDC_SAVE_DISCOVERABLE, 133},
        {IDC_SET_CPCL, 136},
        {IDC_SET_ESCPOS, 137},
        {IDC_START_WIFI, 139},
        {IDOK, 132},
        {IDC_SAVE_POWER_SAVE, 141},
        {IDC_SAVE_CODE_PAGE, 133},
        {IDC_PRINT_CODE_PAGE, 134},
    };
    for (auto [button, icon] : icons) {
        EXPECT_EQ(host.Control(button).buttonIcon, icon) << "button " << button;
    }
    for (int box : {1020, 1021, 1022, 1023, 1024, 1025, 1139, 1142}) {
        const ui::ControlState& c = host.Control(box);
        EXPECT_TRUE(c.groupDressed) << box;
        EXPECT_EQ(c.groupCaptionColor, 0xE78C10u) << box;
        EXPECT_TRUE(c.groupBold) << box;
        const bool centred = box == 1023 || box == 1024;
        EXPECT_EQ(c.groupAlign, centred ? CaptionAlign::Center : CaptionAlign::Left) << box;
    }
}

TEST(Dressing, WifiDialogButtonsAndBoxes) {
    RecordingHost host;
    DressWifiDialog(host);
    EXPECT_EQ(host.Control(1037).buttonIcon, 130);
    EXPECT_EQ(host.Control(1038).buttonIcon, 135);
    EXPECT_EQ(host.Control(1034).buttonIcon, 139);
    EXPECT_EQ(host.Control(1035).buttonIcon, 133);
    EXPECT_EQ(host.Control(IDOK).buttonIcon, 132);
    EXPECT_EQ(host.Control(1115).groupAlign, CaptionAlign::Left);
    for (int box : {1109, 1110, 1111}) {
        EXPECT_EQ(host.Control(box).groupAlign, CaptionAlign::Center) << box;
        EXPECT_TRUE(host.Control(box).groupBold) << box;
    }
}

TEST(Dressing, PortButtonsFollowTheKindOfPort) {
    RecordingHost host;
    DressMainPortButtons(host, true);
    DressWifiPortButtons(host, true);
    EXPECT_EQ(host.Control(IDC_OPEN_PORT).buttonIcon, 142);
    EXPECT_EQ(host.Control(IDC_CLOSE_PORT).buttonIcon, 143);
    EXPECT_EQ(host.Control(IDC_WIFI_OPEN_PORT).buttonIcon, 142);
    EXPECT_EQ(host.Control(IDC_WIFI_CLOSE_PORT).buttonIcon, 143);
    DressMainPortButtons(host, false);
    DressWifiPortButtons(host, false);
    EXPECT_EQ(host.Control(IDC_OPEN_PORT).buttonIcon, 130);
    EXPECT_EQ(host.Control(IDC_CLOSE_PORT).buttonIcon, 135);
    EXPECT_EQ(host.Control(IDC_WIFI_OPEN_PORT).buttonIcon, 130);
    EXPECT_EQ(host.Control(IDC_WIFI_CLOSE_PORT).buttonIcon, 135);
}

}  // namespace
}  // namespace tarvek::controls
