// ParseReply over any reply, for every register and both modes: it never reads or writes past
// its buffers, keeps the texts within their registers, and takes nothing from a reply it
// refuses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "wifimodule/module_settings.h"

namespace {

// Every register's values come with its image; the MAC address alone has none.
bool Same(const tarvek::ModuleSettings& a, const tarvek::ModuleSettings& b) {
    return a.images == b.images && a.mac == b.mac;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int index = data[0] % 12 - 1;  // -1..10
    const std::uint8_t* reply = data + 1;
    const int count = static_cast<int>(size - 1 > 2048 ? 2048 : size - 1);
    for (tarvek::ReplyMode mode : {tarvek::ReplyMode::Read, tarvek::ReplyMode::Write}) {
        tarvek::ModuleSettings settings;
        const tarvek::ModuleSettings before = settings;
        const int result = tarvek::ParseReply(index, reply, count, mode, settings);
        if (result != 0 && result != -1) {
            std::abort();
        }
        if (result == -1 && !Same(before, settings)) {
            std::abort();
        }
        if (settings.ssid.size() > 32 || settings.passphrase.size() > 32 ||
            settings.mac.size() > 17) {
            std::abort();
        }
    }
    return 0;
}
