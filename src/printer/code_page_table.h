// The printer's character tables for the byte values 0x80 to 0xFF: the position of a name is
// the code-page number the printer receives.
#pragma once

namespace tarvek {

inline constexpr int kCodePageCount = 24;

// The name of code page number (0..23); nullptr when there is no such entry.
const char* CodePageName(int number);

}  // namespace tarvek
