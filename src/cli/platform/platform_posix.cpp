#include <openssl/evp.h>
#include <pwd.h>
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

bool StdoutIsTerminal() {
    return isatty(STDOUT_FILENO) != 0;
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

bool UtcTime(std::time_t t, std::tm& utc) {
    return gmtime_r(&t, &utc) != nullptr;
}

std::string HostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

std::string UserName() {
    const passwd* user = getpwuid(geteuid());
    return user != nullptr ? user->pw_name : "";
}

bool Sha256(const std::string& bytes, std::uint8_t (&digest)[32]) {
    unsigned int length = 0;
    return EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) == 1 &&
           length == sizeof digest;
}

bool InputWaiting() {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    return poll(&in, 1, 0) > 0;
}

}  // namespace tarvek::cli
