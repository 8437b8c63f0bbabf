// The dressing of the three dialogs as the program runs them: CTarvekDlg, CWifiSetDlg and
// CInfoDlg on their real templates through the Win32 host. Every button carries its icon, every
// group box paints its caption (the window text of its first paint) bold in the caption colour,
// and the port buttons follow the Port list. Each dialog also leaves a picture of itself for a
// person to look at (tools/dialog-pictures collects them).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "controls/dressing.h"
#include "controls/info_dlg.h"
#include "ui/recording_host.h"
#include "ui/win32/win32_dialog_host.h"
#include "unit/maindlg/main_dialog_fixture.h"
#include "win32/controls/canvas.h"
#include "win32/ui/support/dialog_driver.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::win32test {
namespace {

using ui::win32::RunModalDialog;

constexpr COLORREF kCaptionColour = controls::kCaptionColor;
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

bool Korean() {
    return GetACP() == 949;
}

// The control's own painting, as WM_PRINTCLIENT gives it (for a button: through the dialog's
// WM_DRAWITEM).
struct Painted {
    RECT client{};
    Canvas canvas;
    explicit Painted(HWND control)
        : client(ClientOf(control)), canvas(client.right, client.bottom, kUnpainted) {
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }
    static RECT ClientOf(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        return r;
    }
};

// Whether the button's painting holds the icon's image. A focused button's dotted focus
// rectangle (4 pixels in from each edge) crosses the icon; those lines are not compared.
bool ShowsIcon(HWND dialog, int buttonId, int iconId) {
    const Painted button(Item(dialog, buttonId));
    Canvas icon(32, 32, 0);
    DrawIconOn(icon, iconId, GetSysColor(COLOR_BTNFACE));
    const int w = button.client.right;
    const int h = button.client.bottom;
    const auto onFocusLine = [w, h](int x, int y) {
        return x == 4 || x == w - 5 || y == 4 || y == h - 5;
    };
    for (int top = 0; top + 32 <= h; ++top) {
        for (int left = 0; left + 32 <= w; ++left) {
            bool same = true;
            for (int y = 0; y < 32 && same; ++y) {
                for (int x = 0; x < 32 && same; ++x) {
                    same = onFocusLine(left + x, top + y) ||
                           button.canvas.At(left + x, top + y) == icon.At(x, y);
                }
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

// Where a group box painted its caption in the caption colour (empty when nowhere).
RECT CaptionInk(HWND dialog, int boxId) {
    const Painted box(Item(dialog, boxId));
    return box.canvas.Bounds(kCaptionColour, box.client);
}

// The width of " text " in the dialog's font made bold: the caption as the box measures it.
int BoldCaptionWidth(HWND dialog, int boxId) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    font.lfWeight = FW_BOLD;
    const HFONT bold = CreateFontIndirectW(&font);
    Canvas probe(1, 1, 0);
    const HGDIOBJ old = SelectObject(probe.Dc(), bold);
    wchar_t text[256] = {};
    GetWindowTextW(Item(dialog, boxId), text, 256);
    const std::wstring caption = L" " + std::wstring(text) + L" ";
    SIZE size{};
    GetTextExtentPoint32W(probe.Dc(), caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(probe.Dc(), old);
    DeleteObject(bold);
    return size.cx;
}

void ExpectCaption(HWND dialog, int id, bool centred) {
    EXPECT_EQ(ItemStyle(dialog, id) & 0x40, 0x40) << id;
    const RECT ink = CaptionInk(dialog, id);
    ASSERT_LT(ink.left, ink.right) << id;
    const int cx = BoldCaptionWidth(dialog, id);
    const int inner = Painted::ClientOf(Item(dialog, id)).right - 2;
    const int left = centred ? 1 + (inner - cx) / 2 : 1 + 10;
    // The blanks on both sides are in the measured width, not in the ink.
    EXPECT_GE(ink.left, left + 1) << id;
    EXPECT_LE(ink.right, left + cx - 1) << id;
    EXPECT_GT(ink.right - ink.left, cx / 2) << id;
    if (Korean()) {
        const std::string text = TextOf(Item(dialog, id));
        EXPECT_TRUE(std::any_of(text.begin(), text.end(),
                                [](char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }))
            << id << " " << text;
    }
}

std::string PictureName(const char* dialog) {
    return std::string("dialog_") + dialog + (Korean() ? "_ko" : "_en") + ".bmp";
}

// The window as it has painted itself, frame included, read back from its own device context
// (the screen may not show all of a fresh repaint yet).
void TakePicture(HWND dialog, const char* name) {
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    RECT frame{};
    GetWindowRect(dialog, &frame);
    Canvas picture(frame.right - frame.left, frame.bottom - frame.top, kUnpainted);
    const HDC window = GetWindowDC(dialog);
    BitBlt(picture.Dc(), 0, 0, picture.Width(), picture.Height(), window, 0, 0, SRCCOPY);
    ReleaseDC(dialog, window);
    EXPECT_TRUE(picture.SaveBmp(OutputPath(PictureName(name))));
}

// Every push button of the template shows the icon the dressing gives it, and every group box
// its caption (the current window text: a Korean one on a Korean system) bold, in the caption
// colour, 10 pixels in from the left or centred.
void ExpectDressed(HWND dialog, int templateId, void (*dress)(ui::DialogHost&), int buttons,
                   int boxes) {
    ui::RecordingHost requested;  // what the dressing asks of each control
    dress(requested);
    int buttonsSeen = 0;
    int boxesSeen = 0;
    for (const TemplateItem& item : ReadTemplateItems(templateId)) {
        const DWORD type = item.style & 0x0F;
        if (item.className != L"Button") {
            continue;
        }
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            ++buttonsSeen;
            const int icon = requested.Control(item.id).buttonIcon;
            EXPECT_NE(icon, 0) << item.id;
            EXPECT_EQ(ItemStyle(dialog, item.id) & 0x0F, BS_OWNERDRAW) << item.id;
            EXPECT_TRUE(ShowsIcon(dialog, item.id, icon)) << item.id << " icon " << icon;
        } else if (type == BS_GROUPBOX) {
            ++boxesSeen;
            const ui::ControlState& look = requested.Control(item.id);
            EXPECT_TRUE(look.groupDressed && look.groupBold) << item.id;
            EXPECT_EQ(look.groupCaptionColor, kCaptionColour) << item.id;
            ExpectCaption(dialog, item.id, look.groupAlign == ui::CaptionAlign::Center);
        }
    }
    EXPECT_EQ(buttonsSeen, buttons);
    EXPECT_EQ(boxesSeen, boxes);
}

TEST(Dressing, MainDialogButtonsCarryTheirIconsAndGroupBoxesTheirCaptions) {
    testing::FakeDialogServices services;
    CTarvekDlg dlg(services.services);
    RunModalDialog(dlg, nullptr, [&](HWND dialog) {
        ExpectDressed(dialog, IDD_TARVEK_DIALOG, &controls::DressMainDialog, 14, 8);
        TakePicture(dialog, "main");
        // With the port open more buttons are enabled: the same icons.
        Click(dialog, IDC_OPEN_PORT);
        Pump();
        ASSERT_TRUE(IsItemEnabled(dialog, IDC_CLOSE_PORT));
        ExpectDressed(dialog, IDD_TARVEK_DIALOG, &controls::DressMainDialog, 14, 8);
        TakePicture(dialog, "main_open");
        Click(dialog, IDC_CLOSE_PORT);
        EndDialog(dialog, IDCANCEL);
    });
}

// "USB" (list position 9) gives the port buttons icons 142 and 143; a COM port 130 and 135.
void ExpectPortIconsFollow(HWND dialog, int portList, int openId, int closeId, int comIndex) {
    SelectByUser(dialog, portList, 9);
    EXPECT_TRUE(ShowsIcon(dialog, openId, 142));
    EXPECT_TRUE(ShowsIcon(dialog, closeId, 143));
    EXPECT_FALSE(ShowsIcon(dialog, openId, 130));
    EXPECT_FALSE(ShowsIcon(dialog, closeId, 135));
    SelectByUser(dialog, portList, comIndex);
    EXPECT_TRUE(ShowsIcon(dialog, openId, 130));
    EXPECT_TRUE(ShowsIcon(dialog, closeId, 135));
    EXPECT_FALSE(ShowsIcon(dialog, openId, 142));
    EXPECT_FALSE(ShowsIcon(dialog, closeId, 143));
}

TEST(Dressing, MainDialogPortIconsFollowThePortList) {
    testing::FakeDialogServices services;
    CTarvekDlg dlg(services.services);
    RunModalDialog(dlg, nullptr, [&](HWND dialog) {
        SelectByUser(dialog, IDC_PORT, 9);
        TakePicture(dialog, "main_usb");
        ExpectPortIconsFollow(dialog, IDC_PORT, IDC_OPEN_PORT, IDC_CLOSE_PORT, 2);
        EXPECT_TRUE(ShowsIcon(dialog, IDC_GET_BLUETOOTH, 131));  // the others keep theirs
        EndDialog(dialog, IDCANCEL);
    });
}

TEST(Dressing, WifiDialogButtonsCarryTheirIconsAndGroupBoxesTheirCaptions) {
    testing::FakeDialogServices services;
    CWifiSetDlg dlg(services.services);
    RunModalDialog(dlg, nullptr, [&](HWND dialog) {
        ExpectDressed(dialog, IDD_WIFI_DIALOG, &controls::DressWifiDialog, 5, 4);
        TakePicture(dialog, "wifi");
        EndDialog(dialog, IDCANCEL);
    });
}

TEST(Dressing, WifiDialogPortIconsFollowThePortList) {
    testing::FakeDialogServices services;
    CWifiSetDlg dlg(services.services);
    RunModalDialog(dlg, nullptr, [&](HWND dialog) {
        ExpectPortIconsFollow(dialog, IDC_WIFI_PORT, IDC_WIFI_OPEN_PORT, IDC_WIFI_CLOSE_PORT, 0);
        EndDialog(dialog, IDCANCEL);
    });
}

TEST(Dressing, InformationDialogOkCarriesItsIconWhicheverMessage) {
    for (const int kind : {CInfoDlg::kPowerSave, CInfoDlg::kCodePage}) {
        CInfoDlg dlg;
        dlg.SetKind(kind);
        dlg.SetPowerSave(2, 30);
        dlg.SetCodePage(23);
        RunModalDialog(dlg, nullptr, [&](HWND dialog) {
            ExpectDressed(dialog, IDD_INFO_DIALOG, &controls::DressInfoDialog, 1, 0);
            EXPECT_TRUE(ShowsIcon(dialog, IDOK, 145)) << kind;
            TakePicture(dialog, kind == CInfoDlg::kPowerSave ? "info_power" : "info_codepage");
            EndDialog(dialog, IDOK);
        });
    }
}

}  // namespace
}  // namespace tarvek::win32test
