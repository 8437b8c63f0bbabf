// A clock that only moves when the code under test sleeps (or a test advances it), so polling
// limits and pauses are asserted exactly and instantly.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "link/clock.h"

namespace tarvek::testing {

class VirtualClock : public Clock {
  public:
    explicit VirtualClock(std::uint32_t startMs = 1000) : m_now(startMs) {}

    void Sleep(std::uint32_t milliseconds) override {
        m_sleeps.push_back(milliseconds);
        Advance(milliseconds);
    }
    std::uint32_t NowMs() override { return m_now; }

    // Moves time on; the observer (a simulated peer, say) sees every step.
    void Advance(std::uint32_t milliseconds) {
        m_now += milliseconds;
        if (m_onAdvance) {
            m_onAdvance(m_now);
        }
    }
    void SetOnAdvance(std::function<void(std::uint32_t)> observer) { m_onAdvance = observer; }

    const std::vector<std::uint32_t>& Sleeps() const { return m_sleeps; }
    void ClearSleeps() { m_sleeps.clear(); }

  private:
    std::uint32_t m_now;
    std::vector<std::uint32_t> m_sleeps;
    std::function<void(std::uint32_t)> m_onAdvance;
};

}  // namespace tarvek::testing
