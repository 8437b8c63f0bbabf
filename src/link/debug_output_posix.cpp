#include "link/debug_output.h"

namespace tarvek {

void DebugOutput(const std::string&) {}

}  // namespace tarvek
