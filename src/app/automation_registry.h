// The registry entries of the automation server, rewritten at every stand-alone start:
//   HKCR\Tarvek.Application            = "Tarvek.Application"
//   HKCR\Tarvek.Application\CLSID      = "{45CB1BFF-...}"
//   HKCR\CLSID\{45CB1BFF-...}           = "Tarvek.Application"
//   HKCR\CLSID\{45CB1BFF-...}\ProgID    = "Tarvek.Application"
//   HKCR\CLSID\{45CB1BFF-...}\LocalServer32 = "<quoted path of this program>"
#pragma once

#include <string>

namespace tarvek::app {

// True when every entry was written; the caller ignores a failure.
bool WriteAutomationRegistry(const std::wstring& serverPath);
// The full path of this program.
std::wstring ProgramPath();

}  // namespace tarvek::app
