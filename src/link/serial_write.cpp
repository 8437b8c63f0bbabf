#include "link/serial_write.h"

#include <algorithm>

namespace tarvek {

int RunSerialWrite(SerialChunkPort& port, Clock& clock, IdleState& idle, InputPurge purge,
                   const std::uint8_t* data, int length) {
    if (purge == InputPurge::BeforeWrite) {
        port.PurgeInput();
    }
    if (idle.IsDue(clock.NowMs())) {
        // A refused preamble is no reason to hold the command back; a port that stays busy
        // for a whole second is.
        if (port.SendChunk(kIdlePreamble, sizeof kIdlePreamble) == kChunkTimedOut) {
            return 0;
        }
        clock.Sleep(kIdlePreamblePauseMs);
    }
    int written = 0;
    int remaining = std::max(length, 0);
    while (remaining > 0) {
        const int count =
            port.SendChunk(data + written, std::min(remaining, int{kSerialChunkBytes}));
        // A port that takes none of a chunk would hold the GUI thread for ever.
        if (count <= 0) {
            port.PurgeAll();
            return 0;
        }
        written += count;
        remaining -= count;
    }
    if (purge == InputPurge::AfterWrite) {
        port.PurgeInput();
    }
    idle.preambleDue = false;
    idle.lastWriteMs = clock.NowMs();
    return written;
}

}  // namespace tarvek
