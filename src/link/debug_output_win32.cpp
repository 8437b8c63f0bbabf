#include "link/debug_output.h"

#include <windows.h>

namespace tarvek {

void DebugOutput(const std::string& line) {
    OutputDebugStringA(line.c_str());
}

}  // namespace tarvek
