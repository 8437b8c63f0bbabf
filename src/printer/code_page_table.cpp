#include "printer/code_page_table.h"

namespace tarvek {
namespace {

constexpr const char* kCodePageNames[kCodePageCount] = {
    "CP_437",  "CP_KATAKANA",  "CP_850",       "CP_860",      "CP_863",      "CP_865",
    "CP_1252", "CP_866",       "CP_852",       "CP_858",      "CP_1253",     "CP_737",
    "CP_857",  "ISO_8859_9",   "CP_864",       "CP_862MD",    "ISO_8859_2",  "MOZOVIA",
    "CP_1250", "WINDOWS_1254", "WINDOWS_1251", "THAI TIS-14", "THAI TIS-17", "THAI TIS-11",
};

}  // namespace

const char* CodePageName(int number) {
    if (number < 0 || number >= kCodePageCount) {
        return nullptr;
    }
    return kCodePageNames[number];
}

}  // namespace tarvek
