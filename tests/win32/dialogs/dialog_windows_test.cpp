// Each dialog class on its real template, dressed as the program dresses it, read back and
// driven through Win32: what only a real window shows (texts and limits reaching the controls,
// the drawn controls, message boxes and keys). Run in English and under code page 949.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "controls/dressing.h"
#include "controls/info_dlg.h"
#include "controls/win32/dialog_dressing.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "unit/maindlg/simulated_printer.h"
#include "win32/support/canvas.h"
#include "win32/support/window_driver.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::win32test {
namespace {

const bool kKorean = GetACP() == 949;

const char* InLanguage(const char* english, const char* korean) {
    return kKorean ? korean : english;
}

int RunDressed(ui::DialogLogic& logic, const std::function<void(HWND)>& whileShown) {
    return ui::win32::RunModalDialog(logic, nullptr, whileShown, &controls::MakeDialogDressing);
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageW(dialog, id, message, wParam, lParam);
}

// A control's own painting (a button's through the dialog's WM_DRAWITEM).
std::unique_ptr<Canvas> Painted(HWND dialog, int id) {
    RECT client{};
    GetClientRect(GetDlgItem(dialog, id), &client);
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom, RGB(255, 0, 255));
    Send(dialog, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    return canvas;
}

// The Korean run says which code page it asked for, so a run that did not get it fails.
TEST(DialogWindows, RunInTheCodePageAsked) {
    const char* asked = std::getenv("TARVEK_CODE_PAGE");
    EXPECT_EQ(static_cast<int>(GetACP()), asked != nullptr ? std::atoi(asked) : 1252);
}

TEST(MainDialogWindow, TextsLimitsDressingAndMessageBoxes) {
    testing::SimulatedPrinter printer;
    CTarvekDlg dlg(printer.services);
    std::vector<std::string> boxes;
    const int result = RunDressed(dlg, [&](HWND w) {
        ModalWatcher watcher([&](HWND box) {
            boxes.push_back(TextOf(box) + " | " + MessageBoxText(box));
            Press(box, IDOK);
        });
        EXPECT_EQ(TextOf(w), InLanguage("Veltrin Mobile Label Printer Utiltiy 1.40",
                                        "Veltrin 라벨 프린터 설정 유틸리티 1.40"));
        EXPECT_EQ(ItemText(w, IDOK), InLanguage("Exit", "프로그램 종료"));
        EXPECT_EQ(ItemText(w, IDC_DISCOVERABLE_ON), "ON");
        EXPECT_EQ(ItemText(w, IDC_BAUDRATE), "19200");
        EXPECT_EQ(Send(w, IDC_PIN_CODE, EM_GETLIMITTEXT), 10);
        EXPECT_EQ(Send(w, IDC_POWER_MINUTES, EM_GETLIMITTEXT), 2);
        // The drawn controls: the port button's icon follows the port kind; a centred group
        // caption in the caption colour.
        EXPECT_EQ(Painted(w, IDC_OPEN_PORT)->Find(IconImage(IDI_OPEN_PORT)).x, 3);
        SelectByUser(w, IDC_PORT, 9);
        EXPECT_EQ(Painted(w, IDC_OPEN_PORT)->Find(IconImage(IDI_USB_OPEN_PORT)).x, 3);
        SelectByUser(w, IDC_PORT, 0);
        RECT client{};
        GetClientRect(GetDlgItem(w, IDC_GROUP_PIN), &client);
        const RECT caption = Painted(w, IDC_GROUP_PIN)->Bounds(controls::kCaptionColor);
        EXPECT_LT(caption.left, caption.right);
        EXPECT_NEAR((caption.left + caption.right) / 2, client.right / 2, 3);

        Click(w, IDC_OPEN_PORT);
        EXPECT_TRUE(IsItemEnabled(w, IDC_CLOSE_PORT));
        Click(w, IDC_GET_BLUETOOTH);
        EXPECT_EQ(ItemText(w, IDC_BT_ADDRESS), "00:19:01:2A:3B:4C");
        EXPECT_EQ(IsDlgButtonChecked(w, IDC_DISCOVERABLE_ON), BST_CHECKED);
        // The "?" the program wrote is no typing: Save Bluetooth PIN Code stays off.
        EXPECT_EQ(ItemText(w, IDC_PIN_CODE), "?");
        EXPECT_FALSE(IsItemEnabled(w, IDC_SAVE_PIN));
        TypeInto(w, IDC_PIN_CODE, "123456789012");
        EXPECT_EQ(ItemText(w, IDC_PIN_CODE), "1234567890");
        EXPECT_TRUE(IsItemEnabled(w, IDC_SAVE_PIN));
        printer.model.FaultSettings().silent = true;
        Click(w, IDC_GET_EMULATION);
        Click(w, IDC_CLOSE_PORT);
        Click(w, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(boxes, std::vector<std::string>{InLanguage("Error | No Response in printer",
                                                         "에러 | 프린터 응답이 없습니다. !!!")});
}

TEST(WifiDialogWindow, ReadFillsTheAddressControlsAndEscapeLeavesIspMode) {
    testing::SimulatedPrinter printer;
    CWifiSetDlg dlg(printer.services.wifi);
    std::vector<std::string> boxes;
    const int result = RunDressed(dlg, [&](HWND w) {
        ModalWatcher watcher([&](HWND box) {
            boxes.push_back(TextOf(box) + " | " + MessageBoxText(box));
            Press(box, IDOK);
        });
        EXPECT_EQ(TextOf(w), InLanguage("Wi-Fi Settings Dialog", "Wi-Fi 설정 다이얼로그"));
        EXPECT_EQ(ItemText(w, IDC_KEY_ID), InLanguage("KEY ID 1", "키 ID 1"));
        EXPECT_EQ(Send(w, IDC_KEY1, EM_GETLIMITTEXT), 26);
        Click(w, IDC_WIFI_OPEN_PORT);
        Click(w, IDC_WIFI_GET);
        DWORD ip = 0;
        Send(w, IDC_WIFI_NETMASK, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&ip));
        EXPECT_EQ(ip, 0xFFFFFF00u);
        EXPECT_EQ(Send(w, IDC_WIFI_PROGRESS, PBM_GETPOS), 100);
        EXPECT_EQ(ItemText(w, IDC_WIFI_SSID), "tarvek");
        EXPECT_EQ(ItemText(w, IDC_WIFI_CHANNEL), "6");
        PressKey(w, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(boxes, std::vector<std::string>{"OK | Read Complete"});
    EXPECT_FALSE(printer.model.State().ispMode);
}

TEST(InfoDialogWindow, EnterConfirmsAndEscapeCancels) {
    for (const auto& [key, expected] :
         {std::make_pair(VK_RETURN, IDOK), std::make_pair(VK_ESCAPE, IDCANCEL)}) {
        CInfoDlg info;
        info.SetKind(CInfoDlg::kCodePage);
        info.SetCodePage(23);
        const int result = RunDressed(info, [&](HWND w) {
            EXPECT_EQ(TextOf(w),
                      InLanguage("Code Page Setting Information", "코드 페이지 설정 정보"));
            EXPECT_EQ(ItemText(w, IDC_INFO_TEXT),
                      InLanguage("Code Page changed to THAI TIS-11.",
                                 "코드 페이지가 THAI TIS-11로 변경되었습니다."));
            EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(w, IDOK), GWL_STYLE) & 0xF, BS_OWNERDRAW);
            PressKey(w, static_cast<UINT>(key));
        });
        EXPECT_EQ(result, expected);
    }
}

}  // namespace
}  // namespace tarvek::win32test
