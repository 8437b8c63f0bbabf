// The icon push button painted into bitmaps: icon and caption placement, the pressed, disabled,
// focused and default looks, and its behaviour in a dialog.
#include <gtest/gtest.h>

#include "controls/win32/icon_button.h"
#include "res/resource.h"
#include "win32/controls/canvas.h"

namespace tarvek::win32test {
namespace {

using controls::CIconButton;

constexpr int kWidth = 150;
constexpr int kHeight = 40;
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

COLORREF Face() {
    return GetSysColor(COLOR_BTNFACE);
}

bool IsText(COLORREF c) {
    return c == GetSysColor(COLOR_BTNTEXT);
}

// One dressed button on a dialog, painted on demand into a fresh bitmap.
struct Fixture {
    TestDialog dialog{300, 200};
    HWND window;
    CIconButton button;

    explicit Fixture(const wchar_t* caption, DWORD type = BS_PUSHBUTTON) {
        window =
            dialog.AddButton(IDC_OPEN_PORT, caption, type, {10, 10, 10 + kWidth, 10 + kHeight});
        EXPECT_TRUE(button.SubclassWindow(window));
        button.SetIcons(IDI_OPEN_PORT, 32, 32, 0, 32, 32, 0, 32, 32);
        button.SetFlat(0, 1);
    }

    // As the button's own paint does: its font selected, then the owner's WM_DRAWITEM.
    void Paint(Canvas& canvas, UINT state) {
        SelectObject(canvas.Dc(),
                     reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_OPEN_PORT;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = window;
        item.hDC = canvas.Dc();
        item.rcItem = {0, 0, kWidth, kHeight};
        button.DrawItem(item);
    }
};

struct Icon {
    Canvas canvas{32, 32, kUnpainted};
    explicit Icon(int id) { DrawIconOn(canvas, id, Face()); }
};

const RECT kInside{3, 3, kWidth - 3, kHeight - 3};

TEST(IconButtonSubclass, BecomesOwnerDrawnAndKeepsTheDefaultStatus) {
    TestDialog dialog(300, 200);
    const HWND plain = dialog.AddButton(2, L"Close Port", BS_PUSHBUTTON, {0, 0, 100, 30});
    const HWND def = dialog.AddButton(1, L"Exit", BS_DEFPUSHBUTTON, {0, 40, 100, 70});
    CIconButton a;
    CIconButton b;
    ASSERT_TRUE(a.SubclassWindow(plain));
    ASSERT_TRUE(b.SubclassWindow(def));
    EXPECT_FALSE(a.SubclassWindow(def));  // one window per button object
    EXPECT_EQ(GetWindowLongPtrW(plain, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(def, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_FALSE(a.IsDefault());
    EXPECT_TRUE(b.IsDefault());
    EXPECT_TRUE(a.IsFlat());  // the class's own default until SetFlat(0, ...)
    EXPECT_EQ(a.SetFlat(0, 1), 0);
    EXPECT_FALSE(a.IsFlat());
    EXPECT_EQ(a.SetIcons(IDI_SAVE, 32, 32, 0, 32, 32, 0, 32, 32), 0);
    EXPECT_EQ(SendMessageW(def, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
              DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(
        SendMessageW(plain, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
        DLGC_UNDEFPUSHBUTTON);
}

TEST(IconButtonPaint, IconThreePixelsInAndCaptionCentredInTheRest) {
    Fixture f(L"Open Port");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas, 0);
    const Icon icon(IDI_OPEN_PORT);
    EXPECT_TRUE(canvas.Holds(icon.canvas, 3, (kHeight - 32) / 2));
    EXPECT_EQ(canvas.Find(icon.canvas).x, 3);

    // The caption is centred in the area right of the icon.
    const RECT ink = canvas.Bounds(IsText, {35, 2, kWidth - 2, kHeight - 2});
    ASSERT_LT(ink.left, ink.right);
    const RECT measuredArea{35, 0, kWidth, kHeight};
    RECT measured = measuredArea;
    SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(canvas.Dc(), L"Open Port", -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int textLeft = 35 + (kWidth - 35 - (measured.right - measured.left)) / 2;
    const int textTop = (kHeight - (measured.bottom - measured.top)) / 2;
    EXPECT_GE(ink.left, textLeft);
    EXPECT_LE(ink.right, textLeft + (measured.right - measured.left));
    EXPECT_GE(ink.top, textTop);
    EXPECT_LE(ink.bottom, textTop + (measured.bottom - measured.top));
    const int inkCentre = (ink.left + ink.right) / 2;
    EXPECT_NEAR(inkCentre, 35 + (kWidth - 35) / 2, 3);

    // Raised border: highlight top and left, shadow bottom and right; no black frame.
    EXPECT_EQ(canvas.At(0, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(60, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(kWidth - 1, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(60, kHeight - 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(60, 20), Face());
}

TEST(IconButtonPaint, WithoutCaptionTheIconIsCentred) {
    Fixture f(L"");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas, 0);
    const Icon icon(IDI_OPEN_PORT);
    EXPECT_EQ(canvas.Find(icon.canvas).x, (kWidth - 32) / 2);
    EXPECT_EQ(canvas.Find(icon.canvas).y, (kHeight - 32) / 2);
    EXPECT_EQ(canvas.Bounds(IsText, kInside).right, 0);  // nothing written
}

TEST(IconButtonPaint, PressedMovesIconAndCaptionOnePixelAndSinksTheBorder) {
    Fixture f(L"Open Port");
    Canvas idle(kWidth, kHeight, kUnpainted);
    Canvas pressed(kWidth, kHeight, kUnpainted);
    f.Paint(idle, 0);
    f.Paint(pressed, ODS_SELECTED);
    const Icon icon(IDI_OPEN_PORT);
    EXPECT_TRUE(pressed.Holds(icon.canvas, 4, (kHeight - 32) / 2 + 1));
    const RECT a = idle.Bounds(IsText, {35, 2, kWidth - 2, kHeight - 2});
    const RECT b = pressed.Bounds(IsText, {35, 2, kWidth - 2, kHeight - 2});
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
    EXPECT_EQ(pressed.At(0, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pressed.At(60, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pressed.At(kWidth - 1, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pressed.At(60, kHeight - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(IconButtonPaint, DisabledCaptionIsEmbossedAndTheIconStays) {
    Fixture f(L"Open Port");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas, ODS_DISABLED);
    const Icon icon(IDI_OPEN_PORT);
    EXPECT_TRUE(canvas.Holds(icon.canvas, 3, (kHeight - 32) / 2));  // slot 0 serves
    const RECT area{35, 2, kWidth - 2, kHeight - 2};
    EXPECT_EQ(canvas.Bounds(IsText, area).right, 0);
    const RECT shadow = canvas.Bounds(GetSysColor(COLOR_BTNSHADOW), area);
    const RECT light = canvas.Bounds(GetSysColor(COLOR_BTNHIGHLIGHT), area);
    ASSERT_LT(shadow.left, shadow.right);
    ASSERT_LT(light.left, light.right);
    // The light copy lies one pixel right of and below the shadow copy.
    EXPECT_EQ(light.right, shadow.right + 1);
    EXPECT_EQ(light.bottom, shadow.bottom + 1);
    EXPECT_GE(light.left, shadow.left);
}

TEST(IconButtonPaint, FocusedOrDefaultButtonsCarryTheBlackFrame) {
    Fixture f(L"Open Port");
    Canvas focused(kWidth, kHeight, kUnpainted);
    f.Paint(focused, ODS_FOCUS);
    const COLORREF black = RGB(0, 0, 0);
    for (int x = 0; x < kWidth; x += 7) {
        EXPECT_EQ(focused.At(x, 0), black);
        EXPECT_EQ(focused.At(x, kHeight - 1), black);
    }
    EXPECT_EQ(focused.At(0, 20), black);
    EXPECT_EQ(focused.At(kWidth - 1, 20), black);
    // Inside the frame the raised border, then the focus rectangle 3 pixels further in.
    EXPECT_EQ(focused.At(1, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    const RECT focusRow{40, 4, 140, 5};
    EXPECT_GE(100 - focused.Count(Face(), focusRow), 20);  // the dotted focus line
    EXPECT_EQ(focused.Count(Face(), {40, 3, 140, 4}), 100);

    Fixture d(L"Exit", BS_DEFPUSHBUTTON);
    Canvas def(kWidth, kHeight, kUnpainted);
    d.Paint(def, 0);
    EXPECT_EQ(def.At(0, 20), black);
    EXPECT_EQ(def.At(1, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(def.Count(Face(), {40, 4, 140, 5}), 100);  // not focused: no focus rectangle
}

TEST(IconButtonPaint, FlatIdleButtonHasNoBorderAndNoFocusMark) {
    Fixture f(L"Open Port");
    f.button.SetFlat(1, 1);
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.At(0, 20), Face());
    EXPECT_EQ(canvas.At(kWidth - 1, 20), Face());
    EXPECT_EQ(canvas.Count(Face(), {40, 4, 140, 5}), 100);
}

TEST(IconButtonPaint, FlatButtonHoveredShowsARaisedBorder) {
    Fixture f(L"Open Port");
    f.button.SetFlat(1, 1);
    RECT onScreen{};
    GetWindowRect(f.window, &onScreen);
    SetCursorPos(onScreen.left + 20, onScreen.top + 20);
    SendMessageW(f.window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_TRUE(f.button.IsHovered());
    Canvas hovered(kWidth, kHeight, kUnpainted);
    f.Paint(hovered, 0);
    EXPECT_EQ(hovered.At(0, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(hovered.At(kWidth - 1, 20), GetSysColor(COLOR_BTNSHADOW));
    // The cursor leaves: the hover timer notices and the button is idle again.
    SetCursorPos(onScreen.right + 40, onScreen.bottom + 40);
    for (int i = 0; i < 200 && f.button.IsHovered(); ++i) {
        PumpMessages();
    }
    EXPECT_FALSE(f.button.IsHovered());
    Canvas idle(kWidth, kHeight, kUnpainted);
    f.Paint(idle, 0);
    EXPECT_EQ(idle.At(0, 20), Face());
}

TEST(IconButtonPaint, RaisedButtonIgnoresTheMouse) {
    Fixture f(L"Open Port");
    RECT onScreen{};
    GetWindowRect(f.window, &onScreen);
    SetCursorPos(onScreen.left + 20, onScreen.top + 20);
    SendMessageW(f.window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_FALSE(f.button.IsHovered());
}

// The dialog's default push button: frame and dialog code follow BM_SETSTYLE.
TEST(IconButtonDialog, DefaultStatusFollowsSetStyle) {
    TestDialog dialog(300, 200);
    const HWND first = dialog.AddButton(1, L"Exit", BS_DEFPUSHBUTTON, {10, 10, 110, 50});
    const HWND second = dialog.AddButton(2, L"Save", BS_PUSHBUTTON, {10, 60, 110, 100});
    CIconButton a;
    CIconButton b;
    ASSERT_TRUE(a.SubclassWindow(first));
    ASSERT_TRUE(b.SubclassWindow(second));
    SendMessageW(dialog.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    EXPECT_TRUE(a.IsDefault());
    SendMessageW(dialog.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(second), TRUE);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_TRUE(b.IsDefault());
    EXPECT_FALSE(a.IsDefault());
    EXPECT_EQ(GetWindowLongPtrW(first, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(second, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    EXPECT_EQ(SendMessageW(second, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);

    SendMessageW(first, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(a.IsDefault());
    EXPECT_EQ(GetWindowLongPtrW(first, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    SendMessageW(first, BM_SETSTYLE, BS_CHECKBOX, TRUE);  // other types leave the flag alone
    EXPECT_TRUE(a.IsDefault());
    EXPECT_EQ(GetWindowLongPtrW(first, GWL_STYLE) & 0x0F, BS_OWNERDRAW);
    SendMessageW(first, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(a.IsDefault());

    // Raised buttons: the black frame is painted for the default button only (neither is focused).
    a.SetFlat(0, 0);
    b.SetFlat(0, 0);
    Canvas canvas(100, 40, kUnpainted);
    DRAWITEMSTRUCT item{ODT_BUTTON,      2, 0, ODA_DRAWENTIRE, 0, second, canvas.Dc(),
                        {0, 0, 100, 40}, 0};
    b.DrawItem(item);
    EXPECT_EQ(canvas.At(0, 20), RGB(0, 0, 0));
    item = {ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, 0, first, canvas.Dc(), {0, 0, 100, 40}, 0};
    a.DrawItem(item);
    EXPECT_EQ(canvas.At(0, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(IconButtonDialog, DisablingAButtonMovesTheFocusOn) {
    TestDialog dialog(300, 200);
    const HWND first = dialog.AddButton(1, L"Open Port", BS_PUSHBUTTON, {10, 10, 110, 50});
    const HWND second = dialog.AddButton(2, L"Close Port", BS_PUSHBUTTON, {10, 60, 110, 100});
    const HWND third = dialog.AddButton(3, L"Exit", BS_PUSHBUTTON, {10, 110, 110, 150});
    CIconButton a;
    CIconButton b;
    CIconButton c;
    ASSERT_TRUE(a.SubclassWindow(first));
    ASSERT_TRUE(b.SubclassWindow(second));
    ASSERT_TRUE(c.SubclassWindow(third));
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    EnableWindow(first, FALSE);
    EXPECT_EQ(GetFocus(), second);
    // The next tab stop after the disabled one, around the end and past disabled controls.
    EnableWindow(third, FALSE);
    EXPECT_EQ(GetFocus(), second);
    // No control left to take it: the dialog has it.
    EnableWindow(second, FALSE);
    EXPECT_EQ(GetFocus(), dialog.Window());
}

TEST(IconButtonDialog, DoubleClickCountsAsTwoClicks) {
    TestDialog dialog(300, 200);
    const HWND window = dialog.AddButton(7, L"Save", BS_PUSHBUTTON, {10, 10, 110, 50});
    CIconButton button;
    ASSERT_TRUE(button.SubclassWindow(window));
    const LPARAM at = MAKELPARAM(20, 20);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
    PumpMessages();
    EXPECT_EQ(dialog.Clicks(7), 2);
}

TEST(IconButtonIcons, EveryIconOfTheProgramLoadsAt32By32) {
    for (const int id : IconIds()) {
        const HICON icon = static_cast<HICON>(LoadImageA(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << id;
        BITMAP bitmap{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap),
                   &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 32) << id;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(IconButtonIcons, TheIconsDifferFromEachOther) {
    const std::vector<int> ids = IconIds();
    for (size_t i = 0; i < ids.size(); ++i) {
        Icon a(ids[i]);
        for (size_t j = i + 1; j < ids.size(); ++j) {
            Icon b(ids[j]);
            EXPECT_FALSE(a.canvas.Holds(b.canvas, 0, 0)) << ids[i] << " vs " << ids[j];
        }
    }
}

}  // namespace
}  // namespace tarvek::win32test
