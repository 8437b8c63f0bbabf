// The one polling loop of every exchange: a link's Read returns at once, so an answer is
// awaited by reading again after a 10 ms pause until bytes come or the empty reads pass a
// limit. The printer's queries and the Wi-Fi module's primitives differ only in the plan.
#pragma once

#include <cstdint>
#include <functional>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

inline constexpr std::uint32_t kPollPauseMs = 10;

struct PollPlan {
    int capacity = 256;  // bytes asked of each read (at most 256)
    // Empty reads counted before the wait ends: it ends at the first empty read that takes
    // the count past the limit.
    int idleLimit = 200;
    // Whether that last empty read is still followed by its pause (the module's primitives
    // pause after every empty read; the printer's queries give up before pausing).
    bool pauseAfterLastEmptyRead = false;
    // Whether bytes arriving start the count of empty reads again.
    bool resetIdleOnData = true;
};

// Hands every non-empty read to onData, which answers whether to read on. Returns when onData
// says no or the empty reads pass the limit.
void PollAnswer(PrinterLink& link, Clock& clock, const PollPlan& plan,
                const std::function<bool(const std::uint8_t* bytes, int count)>& onData);

// The bytes of the first read that brings any (at most capacity), into buffer; 0 when the
// printer stayed silent through the plan's empty reads.
int PollFirstBatch(PrinterLink& link, Clock& clock, const PollPlan& plan, std::uint8_t* buffer);

}  // namespace tarvek
