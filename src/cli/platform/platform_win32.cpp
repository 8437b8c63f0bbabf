#include <windows.h>

#include <bcrypt.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

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

// A console that draws escape codes: _isatty holds for NUL too, and a console without
// virtual-terminal processing (an old one) prints them as they are.
bool StdoutIsTerminal() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out == INVALID_HANDLE_VALUE || out == nullptr || !GetConsoleMode(out, &mode)) {
        return false;
    }
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

int SystemCodePage() {
    return GetACP() == texts::kKoreanCodePage ? texts::kKoreanCodePage : 0;
}

// A profile is written under the technician's own folders, whose access the system already
// limits to the user; the file keeps the folder's access.
bool RestrictToOwner(const std::string&) {
    return true;
}

bool UtcTime(std::time_t t, std::tm& utc) {
    return gmtime_s(&utc, &t) == 0;
}

std::string HostName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? name : "";
}

std::string UserName() {
    const char* name = std::getenv("USERNAME");
    return name != nullptr ? name : "";
}

bool Sha256(const std::string& bytes, std::uint8_t (&digest)[32]) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        return false;
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
    if (ok) {
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
        ok = BCRYPT_SUCCESS(BCryptHashData(hash, data, static_cast<ULONG>(bytes.size()), 0)) &&
             BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return ok;
}

bool InputWaiting() {
    // A console's handle is signalled by any input event: a line may still be on its way.
    return WaitForSingleObject(GetStdHandle(STD_INPUT_HANDLE), 0) == WAIT_OBJECT_0;
}

}  // namespace tarvek::cli
