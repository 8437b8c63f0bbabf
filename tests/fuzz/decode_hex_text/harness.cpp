// DecodeHexText over any text: never writes past its 256-byte buffer, counts at most 256
// bytes, and the key-text variant decodes a text the same way into a cleared buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "wifimodule/module_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const int length = static_cast<int>(size > 4096 ? 4096 : size);
    std::uint8_t guarded[tarvek::kDecodeCapacity + 16];
    std::memset(guarded, 0xA5, sizeof(guarded));
    auto& out = *reinterpret_cast<std::uint8_t(*)[tarvek::kDecodeCapacity]>(guarded);
    const int count = tarvek::DecodeHexText(text, length, out);
    for (std::size_t i = tarvek::kDecodeCapacity; i < sizeof(guarded); ++i) {
        if (guarded[i] != 0xA5) {
            std::abort();
        }
    }
    std::uint8_t cleared[tarvek::kDecodeCapacity];
    const int again = tarvek::DecodeHexKeyText(text, length, cleared);
    if (count < 0 || count > tarvek::kDecodeCapacity || again != count ||
        std::memcmp(cleared, out, static_cast<std::size_t>(count)) != 0) {
        std::abort();
    }
    return 0;
}
