// How the program was started: stand-alone, or by COM for a client ("Embedding") or for
// automation ("Automation"). The options are words after '-' or '/', in any letter case.
#pragma once

#include <string>
#include <vector>

namespace tarvek::app {

enum class StartMode : int { StandAlone = 0, Embedding = 1, Automation = 2 };

// "Embedding" is looked for first; "Automation" only when it is absent.
StartMode ParseStartMode(const std::vector<std::wstring>& arguments);
// The program's arguments, without the program name.
std::vector<std::wstring> ProgramArguments();

}  // namespace tarvek::app
