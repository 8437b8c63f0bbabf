#include "link/clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace tarvek {
namespace {

// Every wait of an exchange runs on the GUI thread. While it waits, paint messages are still
// served, so progress bars advance and the window never turns into a ghost; input messages stay
// queued until the exchange is over (one operation at a time).
class Win32Clock final : public Clock {
  public:
    void Sleep(std::uint32_t milliseconds) override {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
                DispatchMessageW(&msg);
            }
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= milliseconds) {
                return;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_PAINT);
        }
    }
    std::uint32_t NowMs() override { return timeGetTime(); }
};

}  // namespace

Clock& SystemClock() {
    static Win32Clock clock;
    return clock;
}

}  // namespace tarvek
