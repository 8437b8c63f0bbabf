#include "sim/code_pages.h"

#include <iterator>

namespace tarvek::sim {
namespace {

constexpr CodePage kCodePages[] = {
    {"CP_437", "CP437"},        {"CP_KATAKANA", nullptr},     {"CP_850", "CP850"},
    {"CP_860", "CP860"},        {"CP_863", "CP863"},          {"CP_865", "CP865"},
    {"CP_1252", "CP1252"},      {"CP_866", "CP866"},          {"CP_852", "CP852"},
    {"CP_858", "CP858"},        {"CP_1253", "CP1253"},        {"CP_737", "CP737"},
    {"CP_857", "CP857"},        {"ISO_8859_9", "ISO-8859-9"}, {"CP_864", "CP864"},
    {"CP_862MD", "CP862"},      {"ISO_8859_2", "ISO-8859-2"}, {"MOZOVIA", nullptr},
    {"CP_1250", "CP1250"},      {"WINDOWS_1254", "CP1254"},   {"WINDOWS_1251", "CP1251"},
    {"THAI TIS-14", "TIS-620"}, {"THAI TIS-17", "TIS-620"},   {"THAI TIS-11", "TIS-620"},
};

}  // namespace

const CodePage* CodePageAt(int number) {
    if (number < 0 || number >= static_cast<int>(std::size(kCodePages))) {
        return nullptr;
    }
    return &kCodePages[number];
}

}  // namespace tarvek::sim
