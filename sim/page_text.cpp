// Printed pages as text, the upper half of each byte table through iconv (POSIX only).
#include <iconv.h>

#include <cstdio>

#include "printer/code_page_table.h"
#include "sim/sim_options.h"

namespace tarvek::sim {
namespace {

// iconv's name for each code-page number; nullptr where it has none.
constexpr const char* kIconvNames[kCodePageCount] = {
    "CP437",      nullptr, "CP850",  "CP860",  "CP863",  "CP865",      "CP1252",  "CP866",
    "CP852",      "CP858", "CP1253", "CP737",  "CP857",  "ISO-8859-9", "CP864",   "CP862",
    "ISO-8859-2", nullptr, "CP1250", "CP1254", "CP1251", "TIS-620",    "TIS-620", "TIS-620",
};

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

}  // namespace

std::string RenderPages(const PrinterState& state) {
    std::string text;
    int number = 0;
    for (const PrintedPage& page : state.pages) {
        const char* name = CodePageName(page.codePage);
        text += "--- page " + std::to_string(++number) + " (" + (name ? name : "?") + ") ---\n";
        const char* iconvName = name != nullptr ? kIconvNames[page.codePage] : nullptr;
        iconv_t cd =
            iconvName != nullptr ? iconv_open("UTF-8", iconvName) : reinterpret_cast<iconv_t>(-1);
        for (std::uint8_t b : page.bytes) {
            if (b == '\r') {
                continue;
            }
            if (b == '\n' || (b >= 0x20 && b < 0x7F)) {
                text += static_cast<char>(b);
            } else {
                text += Character(b, cd);
            }
        }
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd);
        }
        text += "\n";
    }
    return text;
}

}  // namespace tarvek::sim
