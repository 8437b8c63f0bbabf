// The write of a USB link, apart from the device: the idle preamble, then the data in passes
// of at most 500 ms, each sending chunks of at most 64 bytes with a 10 ms pause between them.
// A chunk may wait 1 ms per byte of the whole write plus 500 ms. A failed chunk makes the
// write's result 0 and is retried within its pass (the link decides what a failure does to
// the device: it drops it and starts reconnecting). Each platform's link supplies the chunk.
#pragma once

#include <cstdint>

#include "link/clock.h"
#include "link/serial_write.h"

namespace tarvek {

enum : int { kUsbChunkBytes = 64 };
enum : std::uint32_t { kUsbPassBudgetMs = 500, kUsbChunkPollMs = 10 };

class UsbChunkPort {
  public:
    virtual ~UsbChunkPort() = default;
    // Sends up to length bytes, waiting at most budgetMs: the count sent, or -1 on failure.
    virtual int SendChunk(const std::uint8_t* data, int length, std::uint32_t budgetMs) = 0;
    // After a failed chunk.
    virtual void ChunkFailed() = 0;
    // Around the idle preamble and around each pass (Windows: the pass's event).
    virtual void BeginPass() {}
    virtual void EndPass() {}
};

// 1 when every byte was sent without a failed chunk, else 0 (at once when the link is not open).
int RunUsbWrite(UsbChunkPort& port, Clock& clock, IdleState& idle, bool open,
                const std::uint8_t* data, int length);

}  // namespace tarvek
