#include "cli/settings/raw_bytes.h"

#include <cctype>

namespace tarvek::cli {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// The byte of the two hex digits at text[at]; false when there are not two.
bool HexPairAt(const std::string& text, std::size_t at, std::uint8_t& byte) {
    if (at + 1 >= text.size()) {
        return false;
    }
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    if (high < 0 || low < 0) {
        return false;
    }
    byte = static_cast<std::uint8_t>(high << 4 | low);
    return true;
}

}  // namespace

bool ParseHexBytes(const std::string& text, Bytes& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size();) {
        if (std::isspace(static_cast<unsigned char>(text[i])) != 0) {
            ++i;
            continue;
        }
        std::uint8_t byte = 0;
        if (!HexPairAt(text, i, byte)) {
            return false;
        }
        bytes.push_back(byte);
        i += 2;
    }
    return !bytes.empty();
}

bool ParseEscapedText(const std::string& text, Bytes& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes.push_back(static_cast<std::uint8_t>(text[i]));
            continue;
        }
        const char escape = i + 1 < text.size() ? text[++i] : '\0';
        std::uint8_t byte = 0;
        switch (escape) {
            case 'r':
                byte = '\r';
                break;
            case 'n':
                byte = '\n';
                break;
            case 't':
                byte = '\t';
                break;
            case '\\':
                byte = '\\';
                break;
            case 'x':
                if (!HexPairAt(text, i + 1, byte)) {
                    return false;
                }
                i += 2;
                break;
            default:
                return false;
        }
        bytes.push_back(byte);
    }
    return true;
}

}  // namespace tarvek::cli
