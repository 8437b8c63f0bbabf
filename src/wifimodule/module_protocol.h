// The Wi-Fi module's command primitives over the Wi-Fi dialog's own links: the ISP-mode switch,
// register reads and writes, unlock and flash, each with its pause, read capacity, idle limit
// and end rule. Every primitive runs its exchange to the end before it returns.
#pragma once

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

// A reply as gathered: the bytes received (cut at the primitive's buffer, 256 bytes for a
// register read, 512 for the others) and their count.
struct ModuleReply {
    static constexpr int kCapacity = 512;
    std::uint8_t bytes[kCapacity] = {};
    int count = 0;
};

class WifiModuleProtocol {
  public:
    WifiModuleProtocol(ChannelSet channels, Clock& clock) : m_channels(channels), m_clock(clock) {}

    // Enter: the reply count (0 when none came). Leave: always 0, no reply is read.
    int SetIspMode(bool enter, ModuleReply& reply);
    // Table index 0..9, or 10 and above for the MAC query. The reply count, 0 when none came.
    int ReadRegister(int index, ModuleReply& reply);
    // Index 0..9 with the hex payload of a whole image. The reply count, 0 when none came.
    int WriteRegister(int index, const std::string& hexPayload, ModuleReply& reply);
    // 0 when any reply arrived, -1 when none did.
    int UnlockRegisters(ModuleReply& reply);
    // Commits the written registers to flash. The module's answer is gathered with a bounded
    // wait: the reply count, 0 when none came.
    int FlashRegisters(ModuleReply& reply);

  private:
    ChannelSet m_channels;
    Clock& m_clock;
};

}  // namespace tarvek
