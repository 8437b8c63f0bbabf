// The platform clock's pause under Wine: the program's windows repaint while an exchange
// waits, and input stays queued until the exchange is over.
#include <windows.h>

#include <gtest/gtest.h>

#include "link/clock.h"

namespace tarvek {
namespace {

int g_paints = 0, g_inputs = 0;

LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        ++g_paints;
        return 0;
    }
    g_inputs += message == WM_APP ? 1 : 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(SystemClockPause, RepaintsWhileInputWaits) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Counting;
    windowClass.lpszClassName = L"TarvekClockTest";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"TarvekClockTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                      nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    g_paints = 0;
    // A progress bar's new position is an invalidated window; a click is a posted message.
    InvalidateRect(window, nullptr, TRUE);
    PostMessageW(window, WM_APP, 0, 0);
    SystemClock().Sleep(100);
    EXPECT_EQ(g_paints, 1);
    EXPECT_EQ(g_inputs, 0);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, window, WM_APP, WM_APP, PM_NOREMOVE));
    DestroyWindow(window);
}

}  // namespace
}  // namespace tarvek
