// A text of the program in its two languages. The Korean form is chosen when the system's
// ANSI code page is 949; a text without a Korean form has korean == nullptr.
#pragma once

#include <string>

namespace tarvek::texts {

inline constexpr int kKoreanCodePage = 949;

struct LocalizedText {
    const char* english;
    const char* korean;  // UTF-8, or nullptr when the text exists only in English

    const char* For(int ansiCodePage) const {
        return (ansiCodePage == kKoreanCodePage && korean != nullptr) ? korean : english;
    }
};

// A text and its caption, shown together in one message box.
struct LocalizedMessage {
    LocalizedText text;
    LocalizedText caption;
};

// printf-style formatting of a program text (the texts carry %d and %s); checked like printf.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarvek::texts
