#include "cli/output/byte_dump.h"

#include <algorithm>
#include <cstdio>

namespace tarvek::cli {

std::string HexText(const Bytes& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", b);
        text += (text.empty() ? "" : " ") + std::string(hex);
    }
    return text;
}

std::string PrintableText(const Bytes& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        text += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    }
    return text;
}

std::string DumpLines(const Bytes& bytes, const std::string& lead) {
    std::string lines;
    const std::size_t width = kDumpBytesPerLine * 3 - 1;
    for (std::size_t at = 0; at < bytes.size(); at += kDumpBytesPerLine) {
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        const Bytes line(first, first + static_cast<std::ptrdiff_t>(
                                            std::min(kDumpBytesPerLine, bytes.size() - at)));
        std::string hex = HexText(line);
        hex.resize(width, ' ');
        lines += (at == 0 ? lead : std::string(lead.size(), ' ')) + hex + "  |" +
                 PrintableText(line) + "|\n";
    }
    return lines;
}

std::string PieceLines(std::uint32_t atMs, const Bytes& bytes) {
    char lead[24];
    std::snprintf(lead, sizeof lead, "  +%5lu ms ", static_cast<unsigned long>(atMs));
    return DumpLines(bytes, lead);
}

}  // namespace tarvek::cli
