// The icon push button and the owner-drawn group box painted into bitmaps: where the icon, the
// caption and the frame go in each look the dialogs show.
#include <gtest/gtest.h>

#include "controls/win32/icon_button.h"
#include "controls/win32/xp_group_box.h"
#include "res/resource.h"
#include "win32/support/canvas.h"

namespace tarvek::win32test {
namespace {

constexpr int kW = 150, kH = 40;
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

// A hidden top-level window to put a control on; it goes after the control's object.
struct Parent {
    HWND top = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                               nullptr, nullptr);
    ~Parent() { DestroyWindow(top); }
    HWND Add(const wchar_t* caption, DWORD style, int width, int height) {
        const HWND control = CreateWindowExW(0, L"Button", caption, WS_CHILD | WS_VISIBLE | style,
                                             10, 10, width, height, top, nullptr, nullptr, nullptr);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        return control;
    }
};

struct Button : Parent {
    HWND window;
    controls::CIconButton button;
    explicit Button(const wchar_t* caption, DWORD type = BS_PUSHBUTTON)
        : window(Add(caption, type, kW, kH)) {
        button.SubclassWindow(window);
        button.SetIcons(IDI_OPEN_PORT, 32, 32, 0, 32, 32, 0, 32, 32);
        button.SetFlat(0, 1);
    }
    // As the dialog's WM_DRAWITEM does, with the button's font selected.
    void Paint(Canvas& canvas, UINT state) {
        canvas.Fill(kUnpainted);
        SelectObject(canvas.Dc(),
                     reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
        button.DrawItem(
            {ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, window, canvas.Dc(), {0, 0, kW, kH}, 0});
    }
};

const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT), kShadow = GetSysColor(COLOR_BTNSHADOW),
               kText = GetSysColor(COLOR_BTNTEXT);

TEST(IconButtonPaint, IconCaptionAndBorderInEachLook) {
    Button b(L"Open Port");
    const IconImage icon(IDI_OPEN_PORT);
    Canvas idle(kW, kH, kUnpainted), pressed(kW, kH, kUnpainted), off(kW, kH, kUnpainted);
    b.Paint(idle, 0);
    b.Paint(pressed, ODS_SELECTED);
    b.Paint(off, ODS_DISABLED);

    // Idle: the icon 3 pixels in and centred in height, the caption centred right of it, raised.
    EXPECT_EQ(idle.Find(icon).x, 3);
    EXPECT_EQ(idle.Find(icon).y, (kH - 32) / 2);
    const RECT caption = idle.Bounds(kText);
    ASSERT_LT(caption.left, caption.right);
    EXPECT_GE(caption.left, 35);
    EXPECT_NEAR((caption.left + caption.right) / 2, 35 + (kW - 35) / 2, 2);
    EXPECT_EQ(idle.At(0, 20), kLight);
    EXPECT_EQ(idle.At(kW - 1, 20), kShadow);
    EXPECT_EQ(idle.At(20, 0), kLight);  // no black frame: neither focused nor default

    // Pressed: icon and caption one pixel right and down, the border sunk.
    EXPECT_EQ(pressed.Find(icon).x, 4);
    EXPECT_EQ(pressed.Find(icon).y, (kH - 32) / 2 + 1);
    const RECT moved = pressed.Bounds(kText);
    EXPECT_EQ(moved.left, caption.left + 1);
    EXPECT_EQ(moved.bottom, caption.bottom + 1);
    EXPECT_EQ(pressed.At(0, 20), kShadow);
    EXPECT_EQ(pressed.At(kW - 1, 20), kLight);

    // Disabled: the same icon, the caption embossed (light copy one pixel right and down).
    EXPECT_EQ(off.Find(icon).x, 3);
    EXPECT_EQ(off.Bounds(kText).right, 0);
    Canvas text(kW - 40, kH - 8, kUnpainted);  // right of the icon, inside the border
    BitBlt(text.Dc(), 0, 0, kW - 40, kH - 8, off.Dc(), 36, 4, SRCCOPY);
    const RECT shadow = text.Bounds(kShadow), light = text.Bounds(kLight);
    ASSERT_LT(shadow.left, shadow.right);
    EXPECT_EQ(light.right, shadow.right + 1);
    EXPECT_EQ(light.bottom, shadow.bottom + 1);
}

TEST(IconButtonPaint, FocusOrDefaultDrawsTheBlackFrameAndNoCaptionCentresTheIcon) {
    Button focused(L"Open Port");
    Button byDefault(L"Exit", BS_DEFPUSHBUTTON);
    Button bare(L"");
    Canvas canvas(kW, kH, kUnpainted);
    focused.Paint(canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.At(0, 20), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(1, 20), kLight);
    byDefault.Paint(canvas, 0);
    EXPECT_EQ(canvas.At(kW / 2, kH - 1), RGB(0, 0, 0));
    bare.Paint(canvas, 0);
    EXPECT_EQ(canvas.Find(IconImage(IDI_OPEN_PORT)).x, (kW - 32) / 2);
}

TEST(GroupBoxPaint, CaptionWithBlanksInItsColourLeftOrCentred) {
    constexpr COLORREF kFrame = RGB(10, 200, 30), kBack = RGB(250, 240, 100);
    constexpr COLORREF kCaption = 0xE78C10;  // the dialogs' caption colour
    Parent parent;
    controls::CXPGroupBox box;
    ASSERT_TRUE(box.Attach(parent.Add(L"PIN Code", BS_GROUPBOX, 240, 120)));
    box.SetFrameColor(kFrame).SetFillColors(kBack, kBack).SetCaptionTextColor(kCaption);
    SIZE normal{}, bold{};
    const auto extent = [&](SIZE& size) {
        Canvas probe(1, 1, 0);
        SelectObject(probe.Dc(), box.CaptionFontHandle());
        GetTextExtentPoint32W(probe.Dc(), L" PIN Code ", 10, &size);
    };
    extent(normal);
    box.SetCaptionBold(1);
    extent(bold);
    EXPECT_GT(bold.cx, normal.cx);
    for (const int align : {0, 1}) {
        box.SetCaptionAlign(align);
        Canvas canvas(240, 120, kUnpainted);
        box.Paint(canvas.Dc());
        // r is the client rectangle inset by a pixel; a left caption starts 10 pixels in.
        const int left = align == 0 ? 1 + 10 : 1 + (238 - bold.cx) / 2;
        const int line = 1 + bold.cy / 2;  // the frame's top line, cut by the caption
        EXPECT_EQ(canvas.At(left - 1, line), kFrame) << align;
        EXPECT_EQ(canvas.At(left, line), kBack) << align;
        EXPECT_EQ(canvas.At(left + bold.cx, line), kFrame) << align;
        const RECT ink = canvas.Bounds(kCaption);
        EXPECT_GE(ink.left, left + 2) << align;  // the blank before the text
        EXPECT_LE(ink.right, left + bold.cx - 2) << align;
        EXPECT_EQ(canvas.At(120, 60), kUnpainted);  // the inside is the parent's
    }
    EXPECT_EQ(box.Caption(), L" PIN Code ");
}

}  // namespace
}  // namespace tarvek::win32test
