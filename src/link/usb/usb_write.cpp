#include "link/usb/usb_write.h"

#include <algorithm>

namespace tarvek {

int RunUsbWrite(UsbChunkPort& port, Clock& clock, IdleState& idle, bool open,
                const std::uint8_t* data, int length) {
    if (!open) {
        return 0;
    }
    const int total = std::max(length, 0);
    const std::uint32_t budgetMs = static_cast<std::uint32_t>(total) + 500;
    if (idle.IsDue(clock.NowMs())) {
        static const std::uint8_t kPreamble[2] = {0x00, 0x00};
        // Whatever becomes of the preamble, the data follow after the pause.
        port.BeginPass();
        port.SendChunk(kPreamble, 2, budgetMs);
        port.EndPass();
        clock.Sleep(kIdlePreamblePauseMs);
    }
    bool success = true;
    int sent = 0;
    while (success && sent < total) {
        const std::uint32_t passStart = clock.NowMs();
        port.BeginPass();
        for (;;) {
            const int count = std::min(int{kUsbChunkBytes}, total - sent);
            const int done = port.SendChunk(data + sent, count, budgetMs);
            if (done < 0) {
                success = false;
                port.ChunkFailed();
            } else {
                sent += done;
                if (sent >= total) {
                    break;
                }
            }
            clock.Sleep(kUsbChunkPollMs);
            if (ElapsedMs(passStart, clock.NowMs()) >= kUsbPassBudgetMs) {
                break;
            }
        }
        port.EndPass();
    }
    idle.preambleDue = false;
    idle.lastWriteMs = clock.NowMs();
    return success ? 1 : 0;
}

}  // namespace tarvek
