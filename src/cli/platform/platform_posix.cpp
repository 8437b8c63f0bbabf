#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "cli/platform/platform.h"
#include "texts/localized_text.h"

namespace tarvek::cli {
namespace {

void OnSignal(int) {
    InterruptFlag().store(true);
}

bool IsKorean(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] == 'k' && value[1] == 'o';
}

}  // namespace

std::atomic<bool>& InterruptFlag() {
    static std::atomic<bool> flag{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
    return flag;
}

void InstallInterruptHandlers() {
    InterruptFlag();
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void PrepareConsole() {}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

int SystemCodePage() {
    // The first of these that is set decides, as for the C library's messages.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0') {
            return IsKorean(variable) ? texts::kKoreanCodePage : 0;
        }
    }
    return 0;
}

bool RestrictToOwner(const std::string& path) {
    return chmod(path.c_str(), S_IRUSR | S_IWUSR) == 0;
}

bool InputWaiting() {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    return poll(&in, 1, 0) > 0;
}

}  // namespace tarvek::cli
