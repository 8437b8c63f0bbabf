#include "sim/hex_text.h"

#include <cctype>
#include <cstring>

namespace tarvek::sim {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// The digit's value, or -1 for a character that is no hex digit.
int DigitValue(char c) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const char* at = upper != '\0' ? std::strchr(kDigits, upper) : nullptr;
    return at != nullptr ? static_cast<int>(at - kDigits) : -1;
}

std::string Hex(const Bytes& bytes, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace

std::string SpacedHex(const Bytes& bytes) {
    return Hex(bytes, " ");
}

std::string HexDigits(const Bytes& bytes) {
    return Hex(bytes, "");
}

Bytes DecodeHexDigits(const char* text, std::size_t length) {
    Bytes bytes;
    int high = -1;
    for (std::size_t i = 0; i < length; ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0) {
            continue;
        }
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return bytes;
}

}  // namespace tarvek::sim
