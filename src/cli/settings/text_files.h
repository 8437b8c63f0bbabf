// Whole files in and out: profiles, units, the saved profile (readable by its owner only when
// it carries secrets).
#pragma once

#include <string>

namespace tarvek::cli {

bool ReadFileText(const std::string& path, std::string& text);
// The file is made owner-only before the text goes in, so a secret is never readable by others.
bool WriteFileText(const std::string& path, const std::string& text, bool ownerOnly);

}  // namespace tarvek::cli
