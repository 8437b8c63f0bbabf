// Time as the links and the protocols see it: a pause, and a wrapping 32-bit millisecond
// counter (the multimedia timer on Windows). Differences are unsigned 32-bit subtractions, so
// they stay right across the wrap. Tests use a virtual clock, so polling limits are asserted
// exactly and instantly.
#pragma once

#include <cstdint>

namespace tarvek {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t NowMs() = 0;
};

// The platform's clock (timeGetTime and Sleep on Windows, the monotonic clock on POSIX).
// On Windows a pause also lets the program's windows repaint (no input is taken), so a long
// exchange never leaves a blank or "Not Responding" window behind.
Clock& SystemClock();

// Elapsed milliseconds from start to now across the counter's wrap.
inline std::uint32_t ElapsedMs(std::uint32_t start, std::uint32_t now) {
    return now - start;
}

}  // namespace tarvek
