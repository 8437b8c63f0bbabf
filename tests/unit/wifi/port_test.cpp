// Opening the Wi-Fi dialog's port, a failing read or save step, and how the dialog ends: the
// module never stays in ISP mode behind it.
#include "unit/wifi/wifi_dialog_fixture.h"

#include <functional>

namespace tarvek::testing {
namespace {

TEST(WifiDialogOpen, FailuresInBothLanguagesLeaveThePortClosed) {
    struct Case {
        std::function<void(WifiDialog&)> arrange;
        std::string english, korean;
    };
    const Case cases[] = {
        {[](WifiDialog& d) {
             d.portCheck.answer = {PortCheck::Held, {"Label Writer", "COM1:"}};
         },
         "The port(COM1) is already occupied in windows printer driver(Label Writer).\n\nSo, "
         "please "
         "change your printer driver port from COM1 to other port\n\nand execute again. | ERROR",
         "포트(COM1)가 프린터 드라이버(Label Writer)에서 사용 중입니다.\n\n프린터 드라이버의 "
         "포트를 "
         "다른 포트로 변경 후\n\n유틸리티를 다시 실행해 주세요. | 에러"},
        {[](WifiDialog& d) { d.host.SelectByUser(IDC_WIFI_PORT, 1); },  // COM2 does not exist
         "Open Port Failed !!! | ERROR", "시리얼 포트 열기 실패 !!! | 에러"},
        {[](WifiDialog& d) { d.host.SelectByUser(IDC_WIFI_BAUDRATE, 4); },  // the printer is deaf
         "ISP Mode Set Failed | ERROR", "ISP Mode Set Failed | ERROR"},
    };
    for (const Case& c : cases) {
        for (const int codePage : {1252, 949}) {
            WifiDialog d(codePage);
            c.arrange(d);
            d.Open();
            EXPECT_EQ(d.Message(), codePage == 949 ? c.korean : c.english);
            EXPECT_EQ(d.portCheck.asked.at(0).second, PortConflictVariant::WifiDialog);
            EXPECT_FALSE(d.wifiSerial.IsOpen());
            EXPECT_FALSE(d.model.State().ispMode);
            EXPECT_TRUE(d.host.Control(IDC_WIFI_OPEN_PORT).enabled);
            EXPECT_FALSE(d.host.Control(IDC_WIFI_GET).enabled);
        }
    }
}

TEST(WifiDialogSteps, AFailedStepShowsItsMessageAndLeavesTheState) {
    struct Case {
        bool save;
        std::function<void(sim::PrinterModel&)> fault;
        const char* message;
    };
    // The fifth read (SSID) or write (SSID) fails; four registers have gone before it.
    const Case cases[] = {
        {false,
         [](sim::PrinterModel& m) { m.FaultSettings().silentAfterCommands = m.CommandCount() + 4; },
         "Get SSID Read Failed"},
        {false, [](sim::PrinterModel& m) { m.FaultSettings().refuseRead = {4}; },
         "Get SSID Information Failed"},
        {true,
         [](sim::PrinterModel& m) { m.FaultSettings().silentAfterCommands = m.CommandCount() + 5; },
         "Set SSID and Read Failed"},
        {true, [](sim::PrinterModel& m) { m.FaultSettings().refuseWrite = {4}; },
         "Set SSID Syntex Error"},
    };
    for (const Case& c : cases) {
        WifiDialog d;
        if (c.save) {
            d.OpenAndRead();
        } else {
            d.Open();
        }
        const std::vector<bool> before = EnabledStates(d.host);
        const sim::RegisterFile flash = d.model.State().flash;
        c.fault(d.model);
        d.host.Click(c.save ? IDC_WIFI_SAVE : IDC_WIFI_GET);
        EXPECT_EQ(d.Message(), std::string(c.message) + " | ERROR");
        EXPECT_EQ(EnabledStates(d.host), before) << c.message;
        EXPECT_EQ(d.host.Control(IDC_WIFI_PROGRESS).progressPos, 66) << c.message;
        EXPECT_TRUE(d.model.State().flash == flash) << c.message;
        EXPECT_TRUE(d.dlg.IsPortOpen());
    }
}

TEST(WifiDialogEnd, EveryWayOutLeavesIspModeAndClosesThePort) {
    struct Case {
        void (ui::RecordingHost::*gesture)();
        int result;
    };
    const Case cases[] = {{&ui::RecordingHost::CloseByUser, ui::kIdCancel},
                          {&ui::RecordingHost::PressEscape, ui::kIdCancel},
                          {nullptr, ui::kIdOk}};  // OK (Enter) while Exit is disabled
    for (const Case& c : cases) {
        WifiDialog d;
        d.OpenAndRead();
        ASSERT_TRUE(d.model.State().ispMode);
        if (c.gesture != nullptr) {
            (d.host.*c.gesture)();
        } else {
            d.dlg.OnOK();
        }
        EXPECT_FALSE(d.model.State().ispMode);
        EXPECT_FALSE(d.wifiSerial.IsOpen());
        EXPECT_TRUE(d.host.Ended());
        EXPECT_EQ(d.host.EndResult(), c.result);
    }
    WifiDialog closed;  // nothing open: nothing sent
    closed.host.PressEscape();
    EXPECT_EQ(closed.model.HostByteCount(), 0);
    EXPECT_TRUE(closed.host.Ended());
}

TEST(WifiDialogEnd, ExitRefusesAKeyLongerThan26Characters) {
    WifiDialog d;
    EXPECT_EQ(d.host.Control(IDC_KEY4).textLimit, 26);
    d.host.MutableControl(IDC_KEY4).text = std::string(27, 'A');
    d.host.Click(IDOK);
    EXPECT_EQ(d.host.Messages().at(0).text, "Please enter no more than 26 characters.");
    EXPECT_FALSE(d.host.Ended());
}

TEST(WifiDialogKorean, KeyIdsAndCaptions) {
    WifiDialog d(949);
    EXPECT_EQ(d.host.GetTitle(), "Wi-Fi 설정 다이얼로그");
    EXPECT_EQ(d.host.GetText(IDOK), "Wi-Fi 종료");
    EXPECT_EQ(d.host.GetText(IDC_LABEL_WPA_HINT), "WPA 키는 8~32 문자입니다.");
    EXPECT_EQ(d.Selected(IDC_KEY_ID), "키 ID 1");
    d.SetRegister(5, {0x61, 0x4D, 0x00});  // key 4
    d.OpenAndRead();
    EXPECT_EQ(d.Selected(IDC_KEY_ID), "키 ID 4");
    EXPECT_EQ(d.host.GetListItemText(IDC_KEY_ID, 0), "키 ID 1");

    WifiDialog english;
    EXPECT_EQ(english.host.GetTitle(), "");
    EXPECT_EQ(english.Selected(IDC_KEY_ID), "KEY ID 1");
}

}  // namespace
}  // namespace tarvek::testing
