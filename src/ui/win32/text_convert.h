// Conversions between the program's UTF-8 texts and the platform's UTF-16 window texts.
#pragma once

#include <string>

namespace tarvek::ui::win32 {

// Invalid UTF-8 becomes replacement characters; nothing is dropped silently.
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

}  // namespace tarvek::ui::win32
