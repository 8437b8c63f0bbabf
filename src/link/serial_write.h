// The write of a serial link, apart from the operating system: the idle preamble, the chunks of
// at most 64 bytes each with its own 1000 ms bound, and the purge of the input before the first
// or after the last chunk, as the link's policy says. Each platform's port supplies the three
// primitives below.
#pragma once

#include <cstdint>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

enum : int { kSerialChunkBytes = 64, kSerialChunkWaitMs = 1000, kIdlePreamblePauseMs = 350 };
enum : std::uint32_t { kIdleLimitMs = 60000 };
// What the link sends before the first write after an open and after kIdleLimitMs without one.
inline constexpr std::uint8_t kIdlePreamble[2] = {0x00, 0x00};

// Results of SendChunk besides a count of accepted bytes.
enum : int { kChunkFailed = -1, kChunkTimedOut = -2 };

class SerialChunkPort {
  public:
    virtual ~SerialChunkPort() = default;
    // Hands up to length bytes to the port, waiting at most 1000 ms: the count accepted, or
    // kChunkFailed / kChunkTimedOut.
    virtual int SendChunk(const std::uint8_t* data, int length) = 0;
    // Drops what was received so far, once what was written has left.
    virtual void PurgeInput() = 0;
    // After a failed chunk: drops both directions.
    virtual void PurgeAll() = 0;
};

// When the idle preamble is due: always on the first write after an open (preambleDue), and
// after more than 60 000 ms without a write.
struct IdleState {
    bool preambleDue = false;
    std::uint32_t lastWriteMs = 0;
    bool IsDue(std::uint32_t nowMs) const {
        return preambleDue || ElapsedMs(lastWriteMs, nowMs) > kIdleLimitMs;
    }
};

// The number of bytes written (length), 0 on any failure.
int RunSerialWrite(SerialChunkPort& port, Clock& clock, IdleState& idle, InputPurge purge,
                   const std::uint8_t* data, int length);

}  // namespace tarvek
