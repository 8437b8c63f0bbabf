// Lines for the platform's debugger output (OutputDebugStringA on Windows): a few internal
// events that are never shown to the user. Nothing is written on other platforms.
#pragma once

#include <string>

namespace tarvek {

void DebugOutput(const std::string& line);

}  // namespace tarvek
