#include "link/answer_poll.h"

#include <algorithm>
#include <cstring>

namespace tarvek {

void PollAnswer(PrinterLink& link, Clock& clock, const PollPlan& plan,
                const std::function<bool(const std::uint8_t* bytes, int count)>& onData) {
    std::uint8_t chunk[256];
    const int capacity = std::min<int>(plan.capacity, sizeof chunk);
    int idle = 0;
    for (;;) {
        const int count = link.Read(chunk, capacity);
        if (count > 0) {
            if (plan.resetIdleOnData) {
                idle = 0;
            }
            if (!onData(chunk, count)) {
                return;
            }
            continue;
        }
        ++idle;
        if (idle > plan.idleLimit && !plan.pauseAfterLastEmptyRead) {
            return;
        }
        clock.Sleep(kPollPauseMs);
        if (idle > plan.idleLimit) {
            return;
        }
    }
}

int PollFirstBatch(PrinterLink& link, Clock& clock, const PollPlan& plan, std::uint8_t* buffer) {
    int received = 0;
    PollAnswer(link, clock, plan, [&](const std::uint8_t* bytes, int count) {
        std::memcpy(buffer, bytes, static_cast<std::size_t>(count));
        received = count;
        return false;
    });
    return received;
}

}  // namespace tarvek
