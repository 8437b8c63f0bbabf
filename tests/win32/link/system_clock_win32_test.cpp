// The platform clock's pause under Wine: the program's windows repaint while an exchange waits,
// input stays queued until the exchange is over, and the pause is never cut short.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "link/clock.h"

namespace tarvek {
namespace {

int g_paints = 0;
int g_inputs = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++g_paints;
            return 0;
        }
        case WM_APP:
            ++g_inputs;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

class CountingWindow {
  public:
    CountingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TarvekClockTestWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowW(L"TarvekClockTestWindow", L"clock test", WS_OVERLAPPEDWINDOW, 0, 0,
                                 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
        ShowWindow(m_window, SW_SHOWNOACTIVATE);
        UpdateWindow(m_window);
    }
    ~CountingWindow() { DestroyWindow(m_window); }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;
    HWND Handle() const { return m_window; }

  private:
    HWND m_window = nullptr;
};

TEST(SystemClockPause, RepaintsWhileInputWaits) {
    CountingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    g_paints = 0;
    g_inputs = 0;
    // A progress bar's new position is an invalidated window; a click is a posted message.
    InvalidateRect(window.Handle(), nullptr, TRUE);
    PostMessageW(window.Handle(), WM_APP, 0, 0);

    Clock& clock = SystemClock();
    const std::uint32_t start = clock.NowMs();
    clock.Sleep(100);
    const std::uint32_t elapsed = ElapsedMs(start, clock.NowMs());

    EXPECT_EQ(g_paints, 1);
    EXPECT_EQ(g_inputs, 0);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, window.Handle(), WM_APP, WM_APP, PM_NOREMOVE));
    // Served paints do not end the pause early (the tick counter's steps are ~16 ms).
    EXPECT_GE(elapsed, 80u);
}

TEST(SystemClockPause, PaintRequestedDuringTheWaitIsServedBeforeItEnds) {
    CountingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    g_paints = 0;
    // Another thread invalidates the window while this one waits (as a timer or a second
    // window would).
    const HWND handle = window.Handle();
    std::thread invalidator([handle] {
        Sleep(30);
        InvalidateRect(handle, nullptr, TRUE);
    });
    SystemClock().Sleep(300);
    invalidator.join();
    EXPECT_EQ(g_paints, 1);
}

}  // namespace
}  // namespace tarvek
