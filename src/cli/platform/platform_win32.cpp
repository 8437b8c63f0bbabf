#include <windows.h>
#include <io.h>

#include <cstdio>

#include "cli/platform/platform.h"
#include "texts/localized_text.h"

namespace tarvek::cli {
namespace {

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT || type == CTRL_CLOSE_EVENT) {
        InterruptFlag().store(true);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::atomic<bool>& InterruptFlag() {
    static std::atomic<bool> flag{false};
    return flag;
}

void InstallInterruptHandlers() {
    InterruptFlag();
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void PrepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
}

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

int SystemCodePage() {
    return GetACP() == texts::kKoreanCodePage ? texts::kKoreanCodePage : 0;
}

// A profile is written under the technician's own folders, whose access the system already
// limits to the user; the file keeps the folder's access.
bool RestrictToOwner(const std::string&) {
    return true;
}

bool InputWaiting() {
    // A console's handle is signalled by any input event: a line may still be on its way.
    return WaitForSingleObject(GetStdHandle(STD_INPUT_HANDLE), 0) == WAIT_OBJECT_0;
}

}  // namespace tarvek::cli
