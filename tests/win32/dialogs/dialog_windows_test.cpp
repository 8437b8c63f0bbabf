// Each dialog class on its real template, dressed as the program dresses it, read back and
// driven through Win32: what only a real window shows (texts and limits reaching the controls,
// the drawn controls, the program's own edits not taken as typing, message boxes and keys).
// Run in English and again under code page 949.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "controls/dressing.h"
#include "controls/info_dlg.h"
#include "controls/win32/dialog_dressing.h"
#include "ui/win32/win32_dialog_host.h"
#include "unit/maindlg/dialog_fixtures.h"
#include "win32/support/canvas.h"
#include "win32/support/window_driver.h"

namespace tarvek::win32test {
namespace {

const char* InLanguage(const char* english, const char* korean) {
    return GetACP() == 949 ? korean : english;
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
    auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
    Send(dialog, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    return canvas;
}

// Each run says which code page it asked for, so a run that did not get it fails.
TEST(DialogWindows, RunInTheCodePageAsked) {
    EXPECT_EQ(std::to_string(GetACP()), std::getenv("TARVEK_CODE_PAGE"));
}

TEST(MainDialogWindow, DrawnControlsLimitsOwnEditsAndMessageBoxes) {
    testing::SimulatedPrinter printer;
    CTarvekDlg dlg(printer.services);
    MessageBoxAnswer boxes;
    const int result = RunDressed(dlg, [&](HWND w) {
        EXPECT_EQ(Send(w, IDC_POWER_MINUTES, EM_GETLIMITTEXT), 2);
        // Icon buttons: the icon 3 pixels in, a pixel further when pressed; the port kind's icon;
        // a disabled caption embossed (no text colour); the default button's black frame.
        const IconImage comIcon(IDI_OPEN_PORT);
        EXPECT_EQ(Painted(w, IDC_OPEN_PORT)->Find(comIcon).x, 3);
        Send(w, IDC_OPEN_PORT, BM_SETSTATE, TRUE);
        EXPECT_EQ(Painted(w, IDC_OPEN_PORT)->Find(comIcon).x, 4);
        Send(w, IDC_OPEN_PORT, BM_SETSTATE, FALSE);
        SelectByUser(w, IDC_PORT, 9);
        EXPECT_EQ(Painted(w, IDC_OPEN_PORT)->Find(IconImage(IDI_USB_OPEN_PORT)).x, 3);
        SelectByUser(w, IDC_PORT, 0);
        EXPECT_GT(Painted(w, IDC_OPEN_PORT)->Bounds(GetSysColor(COLOR_BTNTEXT)).left, 35);
        EXPECT_EQ(Painted(w, IDC_CLOSE_PORT)->Bounds(GetSysColor(COLOR_BTNTEXT)).right, 0);
        RECT exit{};
        GetClientRect(GetDlgItem(w, IDOK), &exit);
        EXPECT_EQ(Painted(w, IDOK)->At(exit.right / 2, exit.bottom - 1), RGB(0, 0, 0));
        // Group boxes: the caption in its colour, 10 pixels in (and its blank) or centred.
        const LONG left = Painted(w, IDC_GROUP_CONNECTION)->Bounds(controls::kCaptionColor).left;
        EXPECT_TRUE(left >= 1 + 10 + 2 && left <= 1 + 10 + 7) << left;
        RECT box{};
        GetClientRect(GetDlgItem(w, IDC_GROUP_PIN), &box);
        const RECT caption = Painted(w, IDC_GROUP_PIN)->Bounds(controls::kCaptionColor);
        EXPECT_NEAR((caption.left + caption.right) / 2, box.right / 2, 3);

        Click(w, IDC_OPEN_PORT);
        Click(w, IDC_GET_BLUETOOTH);
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
    EXPECT_EQ(boxes.shown,
              std::vector<std::string>{InLanguage("Error | No Response in printer",
                                                  "에러 | 프린터 응답이 없습니다. !!!")});
}

TEST(WifiDialogWindow, KoreanKeyIdsAddressAndProgressControls) {
    testing::SimulatedPrinter printer;
    CWifiSetDlg dlg(printer.services.wifi);
    MessageBoxAnswer boxes;
    const int result = RunDressed(dlg, [&](HWND w) {
        EXPECT_EQ(TextOf(w), InLanguage("Wi-Fi Settings Dialog", "Wi-Fi 설정 다이얼로그"));
        EXPECT_EQ(ItemText(w, IDC_KEY_ID), InLanguage("KEY ID 1", "키 ID 1"));
        EXPECT_EQ(Send(w, IDC_KEY1, EM_GETLIMITTEXT), 26);
        Click(w, IDC_WIFI_OPEN_PORT);
        Click(w, IDC_WIFI_GET);
        DWORD netmask = 0;
        Send(w, IDC_WIFI_NETMASK, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&netmask));
        EXPECT_EQ(netmask, 0xFFFFFF00u);
        EXPECT_EQ(Send(w, IDC_WIFI_PROGRESS, PBM_GETPOS), 100);
        PressKey(w, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"OK | Read Complete"});
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
