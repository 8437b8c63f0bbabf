// The owner-drawn group box painted into bitmaps: caption placement for each alignment and
// style, colours, the frame line behind the caption, and the setters.
#include <gtest/gtest.h>

#include <string>

#include "controls/win32/xp_group_box.h"
#include "win32/controls/canvas.h"

namespace tarvek::win32test {
namespace {

using controls::CXPGroupBox;

constexpr int kWidth = 240;
constexpr int kHeight = 120;
constexpr COLORREF kUnpainted = RGB(255, 0, 255);
constexpr COLORREF kCaptionColour = 0xE78C10;  // red 16, green 140, blue 231
constexpr COLORREF kFrame = RGB(10, 200, 30);
constexpr COLORREF kCaptionBack = RGB(250, 240, 100);
constexpr COLORREF kBody = RGB(100, 120, 250);

struct Fixture {
    TestDialog dialog{400, 300};
    HWND window;
    CXPGroupBox box;

    explicit Fixture(const wchar_t* text) {
        window = dialog.AddGroupBox(1020, text, {10, 10, 10 + kWidth, 10 + kHeight});
        EXPECT_TRUE(box.Attach(window));
        box.SetFrameColor(kFrame)
            .SetFillColors(kCaptionBack, kBody)
            .SetCaptionTextColor(kCaptionColour);
    }
    SIZE Extent(const std::wstring& caption) {
        Canvas probe(1, 1, 0);
        SelectObject(probe.Dc(), box.CaptionFontHandle());
        SIZE size{};
        GetTextExtentPoint32W(probe.Dc(), caption.c_str(), static_cast<int>(caption.size()), &size);
        return size;
    }
    void Paint(Canvas& canvas) { box.Paint(canvas.Dc()); }
};

// r is the client rectangle inset by one pixel.
constexpr RECT kR{1, 1, kWidth - 1, kHeight - 1};

void ExpectOutlineCaptionAt(Canvas& canvas, int left, SIZE size) {
    const RECT caption{left, kR.top, left + size.cx, kR.top + size.cy};
    // The caption background covers the frame line; the text lies inside it in its colour.
    const int lineY = kR.top + size.cy / 2;
    EXPECT_EQ(canvas.At(left - 1, lineY), kFrame);
    EXPECT_EQ(canvas.At(left + size.cx, lineY), kFrame);
    EXPECT_EQ(canvas.Count(kFrame, {left, lineY, left + size.cx, lineY + 1}), 0);
    EXPECT_EQ(canvas.At(left, lineY), kCaptionBack);
    EXPECT_EQ(canvas.At(left + size.cx - 1, lineY), kCaptionBack);
    const RECT ink = canvas.Bounds(kCaptionColour, {0, 0, kWidth, kHeight});
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, caption.left);
    EXPECT_LE(ink.right, caption.right);
    EXPECT_GE(ink.top, caption.top);
    EXPECT_LE(ink.bottom, caption.bottom);
    // The one blank on each side is part of the measured width.
    EXPECT_GE(ink.left - caption.left, 2);
    EXPECT_GE(caption.right - ink.right, 2);
    EXPECT_EQ(canvas.At(left - 1, lineY - 2), kUnpainted);  // outside the caption: the parent's
}

TEST(GroupBoxAttach, TakesTheFontAndAddsTheIconBit) {
    Fixture f(L"Port Information");
    EXPECT_EQ(GetWindowLongPtrW(f.window, GWL_STYLE) & 0x40, 0x40);
    LOGFONTW dialogFont{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(dialogFont), &dialogFont);
    EXPECT_EQ(f.box.CaptionFont().lfHeight, dialogFont.lfHeight);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), dialogFont.lfFaceName);
    EXPECT_NE(f.box.CaptionFontHandle(), nullptr);
}

TEST(GroupBoxAttach, WithoutAFontTheSystemFontServes) {
    TestDialog dialog(300, 200);
    const HWND window =
        CreateWindowExW(0, L"Button", L"Box", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 100, 50,
                        dialog.Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    CXPGroupBox box;
    ASSERT_TRUE(box.Attach(window));
    LOGFONTW system{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system);
    EXPECT_EQ(std::wstring(box.CaptionFont().lfFaceName), system.lfFaceName);
}

TEST(GroupBoxAttach, CreatedBoxCarriesTheIconBitAndGoesWithTheBox) {
    TestDialog dialog(300, 200);
    HWND window = nullptr;
    {
        CXPGroupBox box;
        ASSERT_TRUE(box.Create(L"Wi-Fi", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, {5, 5, 200, 100},
                               dialog.Window(), 1025));
        window = box.Window();
        ASSERT_EQ(GetDlgItem(dialog.Window(), 1025), window);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & 0x4F, 0x40 | BS_GROUPBOX);
        EXPECT_FALSE(box.Create(L"again", WS_CHILD, {0, 0, 10, 10}, dialog.Window(), 1026));
        Canvas canvas(195, 95, kUnpainted);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        EXPECT_EQ(box.Caption(), L" Wi-Fi ");
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(GroupBoxOutline, LeftCaptionTenPixelsInWithBlanks) {
    Fixture f(L"Port Information");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas);
    EXPECT_EQ(f.box.Caption(), L" Port Information ");
    const SIZE size = f.Extent(L" Port Information ");
    ExpectOutlineCaptionAt(canvas, kR.left + 10, size);
    // The rounded frame: its bottom and side lines, the inside left to the parent.
    EXPECT_EQ(canvas.At(kWidth / 2, kR.bottom - 1), kFrame);
    EXPECT_EQ(canvas.At(kR.left, kHeight / 2), kFrame);
    EXPECT_EQ(canvas.At(kR.right - 1, kHeight / 2), kFrame);
    EXPECT_EQ(canvas.At(kWidth / 2, kHeight / 2), kUnpainted);
    EXPECT_NE(canvas.At(kR.left, kR.bottom - 1), kFrame);  // corners are rounded
}

TEST(GroupBoxOutline, CentredAndRightCaptions) {
    Fixture f(L"PIN Code");
    const SIZE size = f.Extent(L" PIN Code ");
    f.box.SetCaptionAlign(1);
    EXPECT_EQ(f.box.CaptionAlignValue(), CXPGroupBox::Center);
    Canvas centred(kWidth, kHeight, kUnpainted);
    f.Paint(centred);
    ExpectOutlineCaptionAt(centred, kR.left + (kR.right - size.cx - kR.left) / 2, size);

    f.box.SetCaptionAlign(2);
    Canvas right(kWidth, kHeight, kUnpainted);
    f.Paint(right);
    ExpectOutlineCaptionAt(right, kR.right - 10 - size.cx, size);

    f.box.SetCaptionAlign(7);
    EXPECT_EQ(f.box.CaptionAlignValue(), CXPGroupBox::Left);
    Canvas left(kWidth, kHeight, kUnpainted);
    f.Paint(left);
    ExpectOutlineCaptionAt(left, kR.left + 10, size);
}

TEST(GroupBoxOutline, EmptyCaptionPaintsOnlyTheFrameFromTheTop) {
    Fixture f(L"");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas);
    EXPECT_TRUE(f.box.Caption().empty());
    EXPECT_EQ(canvas.At(kWidth / 2, kR.top), kFrame);
    EXPECT_EQ(canvas.Count(kCaptionBack, {0, 0, kWidth, kHeight}), 0);
    EXPECT_EQ(canvas.Count(kCaptionColour, {0, 0, kWidth, kHeight}), 0);
}

TEST(GroupBoxFilled, SquareBoxBelowTheCaptionAndCaptionTwoPixelsIn) {
    Fixture f(L"Wi-Fi");
    f.box.SetFrameStyle(1);
    const SIZE size = f.Extent(L" Wi-Fi ");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    f.Paint(canvas);
    const int top = kR.top + size.cy + 4;
    EXPECT_EQ(canvas.At(kWidth / 2, top), kFrame);
    EXPECT_EQ(canvas.At(kR.left, kR.bottom - 1), kFrame);  // square corner
    EXPECT_EQ(canvas.At(kR.left, top), kFrame);
    EXPECT_EQ(canvas.At(kWidth / 2, kHeight / 2), kBody);
    EXPECT_EQ(canvas.At(kWidth / 2, top - 1), kUnpainted);  // the strip above is the parent's
    EXPECT_EQ(canvas.Count(kCaptionBack, {0, 0, kWidth, kHeight}), 0);
    const RECT ink = canvas.Bounds(kCaptionColour, {0, 0, kWidth, kHeight});
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, kR.left + 2);
    EXPECT_LE(ink.right, kR.left + 2 + size.cx);
    EXPECT_GE(ink.top, kR.top + 2);
    EXPECT_LE(ink.bottom, kR.top + 2 + size.cy);

    f.box.SetCaptionAlign(2);
    Canvas right(kWidth, kHeight, kUnpainted);
    f.Paint(right);
    const RECT rightInk = right.Bounds(kCaptionColour, {0, 0, kWidth, kHeight});
    EXPECT_GE(rightInk.left, kR.right - 2 - size.cx);
    EXPECT_LE(rightInk.right, kR.right - 2);

    f.box.SetFrameStyle(5);  // stored unchecked, paints as Filled
    EXPECT_EQ(f.box.FrameStyleValue(), 5);
    Canvas five(kWidth, kHeight, kUnpainted);
    f.Paint(five);
    EXPECT_EQ(five.At(kWidth / 2, kHeight / 2), kBody);
}

TEST(GroupBoxCaption, FixedAtFirstPaintUntilSetCaption) {
    Fixture f(L"Emulation");
    Canvas first(kWidth, kHeight, kUnpainted);
    f.Paint(first);
    SetWindowTextW(f.window, L"A much longer caption text");
    Canvas second(kWidth, kHeight, kUnpainted);
    f.Paint(second);
    EXPECT_EQ(f.box.Caption(), L" Emulation ");
    EXPECT_EQ(first.Bounds(kCaptionColour, {0, 0, kWidth, kHeight}).right,
              second.Bounds(kCaptionColour, {0, 0, kWidth, kHeight}).right);
    f.box.SetCaption(L"Bluetooth");
    EXPECT_EQ(f.box.Caption(), L" Bluetooth ");
    Canvas third(kWidth, kHeight, kUnpainted);
    f.Paint(third);
    ExpectOutlineCaptionAt(third, kR.left + 10, f.Extent(L" Bluetooth "));
}

TEST(GroupBoxCaption, SetCaptionWithoutAWindowDoesNothing) {
    CXPGroupBox box;
    CXPGroupBox& same = box.SetCaption(L"Port");
    EXPECT_EQ(&same, &box);
    EXPECT_TRUE(box.Caption().empty());
}

TEST(GroupBoxFont, BoldUnderlineItalicAndChaining) {
    Fixture f(L"Code Page");
    CXPGroupBox& chained = f.box.SetCaptionTextColor(kCaptionColour).SetCaptionBold(5);
    EXPECT_EQ(&chained, &f.box);
    EXPECT_EQ(f.box.CaptionTextColor(), kCaptionColour);
    EXPECT_EQ(f.box.CaptionFont().lfWeight, 700);
    LOGFONTW made{};
    GetObjectW(f.box.CaptionFontHandle(), sizeof(made), &made);
    EXPECT_EQ(made.lfWeight, 700);
    f.box.SetCaptionBold(0);
    EXPECT_EQ(f.box.CaptionFont().lfWeight, 400);
    f.box.SetCaptionUnderline(1).SetCaptionItalic(1);
    GetObjectW(f.box.CaptionFontHandle(), sizeof(made), &made);
    EXPECT_EQ(made.lfUnderline, 1);
    EXPECT_EQ(made.lfItalic, 1);
}

TEST(GroupBoxFont, BoldCaptionIsWiderThanTheNormalOne) {
    Fixture f(L"Power Save Mode Setting");
    const SIZE normal = f.Extent(L" Power Save Mode Setting ");
    f.box.SetCaptionBold(1);
    const SIZE bold = f.Extent(L" Power Save Mode Setting ");
    EXPECT_GT(bold.cx, normal.cx);
}

TEST(GroupBoxFont, PointSizeTakesOnlyHeightAndWidth) {
    Fixture f(L"Code Page");
    f.box.SetCaptionBold(1).SetCaptionItalic(1);
    f.box.SetCaptionPointSize(12);
    const HDC screen = GetDC(nullptr);
    const int expected = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), 120, 720);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(f.box.CaptionFont().lfHeight, expected);
    EXPECT_EQ(f.box.CaptionFont().lfWeight, 700);
    EXPECT_EQ(f.box.CaptionFont().lfItalic, 1);
}

TEST(GroupBoxFont, LongFaceNamesAreCutSafely) {
    Fixture f(L"Code Page");
    const std::wstring longName(40, L'A');
    f.box.SetCaptionFaceName(longName.c_str(), HANGUL_CHARSET);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), std::wstring(31, L'A'));
    EXPECT_EQ(f.box.CaptionFont().lfCharSet, HANGUL_CHARSET);
    EXPECT_NE(f.box.CaptionFontHandle(), nullptr);

    const std::wstring exact(32, L'B');
    f.box.SetCaptionFaceName(exact.c_str(), ANSI_CHARSET);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), std::wstring(31, L'B'));

    // A surrogate pair across the cut is dropped whole.
    std::wstring pair(30, L'C');
    pair += L"\xD83D\xDE00";
    pair += L"DDD";
    f.box.SetCaptionFaceName(pair.c_str(), ANSI_CHARSET);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), std::wstring(30, L'C'));

    f.box.SetCaptionFaceName(L"Tahoma", ANSI_CHARSET);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), L"Tahoma");
    f.box.SetCaptionFaceName(nullptr, ANSI_CHARSET);
    EXPECT_EQ(std::wstring(f.box.CaptionFont().lfFaceName), L"");
}

TEST(GroupBoxPaint, PrintClientPaintsTheOwnDrawing) {
    Fixture f(L"Serial Port");
    Canvas canvas(kWidth, kHeight, kUnpainted);
    SendMessageW(f.window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    ExpectOutlineCaptionAt(canvas, kR.left + 10, f.Extent(L" Serial Port "));
}

}  // namespace
}  // namespace tarvek::win32test
