// Opening the Wi-Fi dialog's port, a failing read or save step, and how the dialog ends: the
// module never stays in ISP mode behind it.
#include "unit/maindlg/dialog_fixtures.h"
#include "wifi/wifi_dialog_controls.h"

#include <functional>
#include <tuple>

namespace tarvek::testing {
namespace {

TEST(WifiDialogOpen, TheFirstThreeLettersOfThePortNameTheLink) {
    EXPECT_EQ(tarvek::wifidlg::ModulePortKind("USB"), TransportKind::Usb);
    EXPECT_EQ(tarvek::wifidlg::ModulePortKind("COM12"), TransportKind::Serial);
    EXPECT_EQ(tarvek::wifidlg::ModulePortKind("com1"), TransportKind::None);
}

TEST(WifiDialogOpen, FailuresLeaveThePortClosed) {
    const auto held = [](WifiDialog& d) {
        d.portCheck.answer = {PortCheck::Held, {"Label Writer", "COM1:"}};
    };
    const std::pair<std::function<void(WifiDialog&)>, std::string> cases[] = {
        {held,
         "The port(COM1) is already occupied in windows printer driver(Label Writer).\n\nSo, "
         "please change your printer driver port from COM1 to other port\n\nand execute again. "
         "| ERROR"},
        {[](WifiDialog& d) { d.host.SelectByUser(IDC_WIFI_PORT, 1); },  // COM2 does not exist
         "Open Port Failed !!! | ERROR"},
        {[](WifiDialog& d) { d.host.SelectByUser(IDC_WIFI_BAUDRATE, 4); },  // the printer is deaf
         "ISP Mode Set Failed | ERROR"},
    };
    for (const auto& [arrange, message] : cases) {
        WifiDialog d;
        arrange(d);
        d.Open();
        EXPECT_EQ(d.Message(), message);
        EXPECT_EQ(d.portCheck.asked.at(0).second, PortConflictVariant::WifiDialog);
        EXPECT_FALSE(d.wifiSerial.IsOpen());
        EXPECT_FALSE(d.model.State().ispMode);
        EXPECT_TRUE(d.host.Control(IDC_WIFI_OPEN_PORT).enabled);
        EXPECT_FALSE(d.host.Control(IDC_WIFI_GET).enabled);
    }
    WifiDialog korean(949);  // the port and driver fill the Korean text too
    held(korean);
    korean.Open();
    EXPECT_EQ(korean.Message(),
              "포트(COM1)가 프린터 드라이버(Label Writer)에서 사용 중입니다.\n\n프린터 드라이버의 "
              "포트를 다른 포트로 변경 후\n\n유틸리티를 다시 실행해 주세요. | 에러");
}

TEST(WifiDialogSteps, AFailedStepShowsItsMessageAndLeavesTheState) {
    // A read (the SSID's gets no reply, the 40-bit keys' after the options is refused) or the
    // first write (IP) fails; the progress bar stays where the last good step left it.
    const std::tuple<bool, bool, const char*, int> cases[] = {
        {false, true, "Get SSID Read Failed | ERROR", 66},
        {false, false, "Get Wi-Fi 40-Bit WEP Key Information Failed | ERROR", 83},
        {true, true, "Set IP and Read Failed | ERROR", 0},
        {true, false, "Set IP Write Syntex Error | ERROR", 0}};
    for (const auto& [save, silent, message, progress] : cases) {
        WifiDialog d;
        save ? d.OpenAndRead() : d.Open();
        const std::vector<bool> before = EnabledStates(d.host);
        const sim::RegisterFile flash = d.model.State().flash;
        sim::Faults& faults = d.model.FaultSettings();
        if (silent) {
            faults.silentAfterCommands = d.model.CommandCount() + (save ? 1 : 4);  // the unlock
        } else {
            (save ? faults.refuseWrite : faults.refuseRead) = {save ? 0 : 6};
        }
        d.host.Click(save ? IDC_WIFI_SAVE : IDC_WIFI_GET);
        EXPECT_EQ(d.Message(), message);
        EXPECT_EQ(EnabledStates(d.host), before) << message;
        EXPECT_EQ(d.host.Control(IDC_WIFI_PROGRESS).progressPos, progress) << message;
        EXPECT_TRUE(d.model.State().flash == flash) << message;
        EXPECT_TRUE(d.dlg.IsPortOpen());
    }
    // What a failed read had shown before it stays: the options' key id list is on.
    WifiDialog d;
    d.SetRegister(5, {0x61, 0x45, 0x00});  // 40-bit WEP
    d.model.FaultSettings().refuseRead = {6};
    d.Open();
    d.host.Click(IDC_WIFI_GET);
    EXPECT_EQ(d.Message(), "Get Wi-Fi 40-Bit WEP Key Information Failed | ERROR");
    EXPECT_TRUE(d.host.Control(IDC_KEY_ID).enabled);
}

TEST(WifiDialogEnd, EveryWayOutLeavesIspModeAndClosesThePort) {
    using Gesture = void (ui::RecordingHost::*)();
    for (const auto& [gesture, result] :
         {std::make_pair<Gesture>(&ui::RecordingHost::CloseByUser, ui::kIdCancel),
          std::make_pair<Gesture>(&ui::RecordingHost::PressEscape, ui::kIdCancel),
          std::make_pair<Gesture>(nullptr, ui::kIdOk)}) {
        WifiDialog d;
        d.OpenAndRead();
        if (gesture != nullptr) {
            (d.host.*gesture)();
        } else {
            d.dlg.OnOK();  // Enter, while Exit is disabled
        }
        EXPECT_FALSE(d.model.State().ispMode);
        EXPECT_FALSE(d.wifiSerial.IsOpen());
        EXPECT_EQ(d.host.EndResult(), result);
        for (const int off : {IDC_WIFI_SSID, IDC_KEY_ID, IDC_WIFI_SAVE, IDC_WIFI_CLOSE_PORT}) {
            EXPECT_FALSE(d.host.Control(off).enabled) << off;  // the closing steps
        }
        EXPECT_TRUE(d.host.Control(IDC_WIFI_OPEN_PORT).enabled && d.host.Control(IDOK).enabled);
    }
    WifiDialog closed;  // nothing open: nothing sent
    closed.host.PressEscape();
    EXPECT_EQ(closed.model.HostByteCount(), 0);
    EXPECT_TRUE(closed.host.Ended());
    WifiDialog tooLong;  // Exit refuses a key longer than its 26 characters
    tooLong.host.MutableControl(IDC_KEY4).text = std::string(27, 'A');
    tooLong.host.Click(IDOK);
    EXPECT_EQ(tooLong.host.Messages().at(0).text, "Please enter no more than 26 characters.");
    EXPECT_FALSE(tooLong.host.Ended());
}

TEST(WifiDialogKorean, KeyIdsAndCaptions) {
    WifiDialog d(949);
    EXPECT_EQ(d.host.GetTitle(), "Wi-Fi 설정 다이얼로그");
    EXPECT_EQ(d.host.GetText(IDC_LABEL_WPA_HINT), "WPA 키는 8~32 문자입니다.");
    EXPECT_EQ(d.Selected(IDC_KEY_ID), "키 ID 1");
    EXPECT_EQ(d.host.Control(IDC_GROUP_WPA).groupAlign, ui::CaptionAlign::Center);  // dressed
    d.SetRegister(5, {0x61, 0x4D, 0x00});                                           // key 4
    d.OpenAndRead();
    EXPECT_EQ(d.Selected(IDC_KEY_ID), "키 ID 4");
    EXPECT_EQ(WifiDialog().host.GetTitle(), "");
}

}  // namespace
}  // namespace tarvek::testing
