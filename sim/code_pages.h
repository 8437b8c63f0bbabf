// The printer's character tables for the bytes 0x80 to 0xFF, by the number FS "E" "P" n selects.
#pragma once

namespace tarvek::sim {

struct CodePage {
    const char* name;       // as the printer's configuration report names it
    const char* iconvName;  // the same table in iconv, or nullptr where iconv has none
};

// The code page numbered n (0..23); nullptr for any other number.
const CodePage* CodePageAt(int number);

}  // namespace tarvek::sim
