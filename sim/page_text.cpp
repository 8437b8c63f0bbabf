// Printed pages as text, the upper half of each byte table through iconv (POSIX only).
#include <iconv.h>

#include <algorithm>
#include <cstdio>

#include "sim/code_pages.h"
#include "sim/sim_options.h"

namespace tarvek::sim {
namespace {

std::string Character(std::uint8_t byte, iconv_t cd) {
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inp = in;
    char* outp = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    if (cd != reinterpret_cast<iconv_t>(-1) &&
        iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1)) {
        return std::string(out, sizeof out - outLeft);
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "<%02X>", byte);
    return hex;
}

// The text of a run of print bytes: line ends and ASCII as they are, the rest through the
// code page.
std::string PrintedText(Bytes::const_iterator first, Bytes::const_iterator last, iconv_t cd) {
    std::string text;
    for (auto it = first; it != last; ++it) {
        const std::uint8_t b = *it;
        if (b == '\r') {
            continue;
        }
        if (b == '\n' || (b >= 0x20 && b < 0x7F)) {
            text += static_cast<char>(b);
        } else {
            text += Character(b, cd);
        }
    }
    return text;
}

// A CPCL label form as printed: each TEXT line's text ("TEXT font size x y text"), each QR
// code's data as "[QR] data"; the form's other lines print nothing.
std::string FormText(const Bytes& form, iconv_t cd) {
    std::string text;
    bool qrData = false;
    for (auto begin = form.begin(); begin != form.end();) {
        const auto end = std::find(begin, form.end(), '\n');
        const std::string line(begin, end);
        if (qrData) {
            const std::size_t comma = line.find(',');
            const auto data =
                begin + static_cast<std::ptrdiff_t>(comma == std::string::npos ? 0 : comma + 1);
            text += "[QR] " + PrintedText(data, end, cd) + "\n";
            qrData = false;
        } else if (line.rfind("B QR ", 0) == 0) {
            qrData = true;
        } else if (line.rfind("TEXT ", 0) == 0) {
            auto at = begin;
            for (int field = 0; field < 5 && at != end; ++field) {
                at = std::find(at, end, ' ');
                at += at != end ? 1 : 0;
            }
            text += PrintedText(at, end, cd) + "\n";
        }
        begin = end == form.end() ? end : end + 1;
    }
    return text;
}

bool StartsWith(const Bytes& bytes, const std::string& start) {
    return bytes.size() >= start.size() && std::equal(start.begin(), start.end(), bytes.begin());
}

}  // namespace

std::string RenderPages(const PrinterState& state) {
    std::string text;
    int number = 0;
    for (const PrintedPage& page : state.pages) {
        const CodePage* codePage = CodePageAt(page.codePage);
        text += "--- page " + std::to_string(++number) + " (" + (codePage ? codePage->name : "?") +
                ") ---\n";
        const char* iconvName = codePage != nullptr ? codePage->iconvName : nullptr;
        iconv_t cd =
            iconvName != nullptr ? iconv_open("UTF-8", iconvName) : reinterpret_cast<iconv_t>(-1);
        const Bytes& b = page.bytes;
        if (b.size() > 2 && b[0] == '!' && b[1] == ' ') {
            text += FormText(b, cd);
        } else if (StartsWith(b, "\x1D(k") && b.size() > 8) {  // a stored QR code, printed
            text += "[QR] " + PrintedText(b.begin() + 8, b.end(), cd) + "\n";
        } else {
            text += PrintedText(b.begin(), b.end(), cd);
        }
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd);
        }
        text += "\n";
    }
    return text;
}

}  // namespace tarvek::sim
