// The byte pattern the serial link tests send and the pty peer answers with: n * 7 + 1, so
// a lost, doubled or reordered byte shows.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvek::testing {

inline std::vector<std::uint8_t> CountingBytes(int count) {
    std::vector<std::uint8_t> bytes;
    for (int n = 0; n < count; ++n) {
        bytes.push_back(static_cast<std::uint8_t>(n * 7 + 1));
    }
    return bytes;
}

}  // namespace tarvek::testing
