// ParseReply over any reply, for every register and both modes: it never reads or writes past
// its buffers, keeps the texts terminated, and takes nothing from a reply it refuses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "wifimodule/wifi_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int index = data[0] % 12 - 1;  // -1..10
    const std::uint8_t* reply = data + 1;
    const int count = static_cast<int>(size - 1 > 2048 ? 2048 : size - 1);
    for (tarvek::ReplyMode mode : {tarvek::ReplyMode::Read, tarvek::ReplyMode::Write}) {
        tarvek::WifiSettings settings;
        tarvek::WifiSettings before;
        std::memcpy(&before, &settings, sizeof(settings));
        const int result = tarvek::ParseReply(index, reply, count, mode, settings);
        if (result != 0 && result != -1) {
            std::abort();
        }
        // Members only: the padding after the last one holds nothing.
        constexpr std::size_t kMembers =
            offsetof(tarvek::WifiSettings, m_abDecoded) + sizeof(tarvek::WifiSettings::m_abDecoded);
        if (result == -1 && std::memcmp(&before, &settings, kMembers) != 0) {
            std::abort();
        }
        if (settings.m_szSsid[63] != 0 || settings.m_szWpaPassphrase[63] != 0 ||
            settings.m_szMacAddress[63] != 0) {
            std::abort();
        }
    }
    return 0;
}
