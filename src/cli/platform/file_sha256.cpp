#include <cstdio>
#include <fstream>
#include <iterator>

#include "cli/platform/platform.h"

namespace tarvek::cli {

std::string FileSha256(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::uint8_t digest[32];
    if (!in.is_open() || in.bad() || !Sha256(bytes, digest)) {
        return "";
    }
    std::string hex;
    for (std::uint8_t b : digest) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

}  // namespace tarvek::cli
