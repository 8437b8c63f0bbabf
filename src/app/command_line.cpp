#include "app/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace tarvek::app {
namespace {

bool IsOption(const std::wstring& argument, const wchar_t* name) {
    if (argument.size() < 2 || (argument[0] != L'-' && argument[0] != L'/')) {
        return false;
    }
    return CompareStringOrdinal(argument.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
}

bool HasOption(const std::vector<std::wstring>& arguments, const wchar_t* name) {
    for (const std::wstring& argument : arguments) {
        if (IsOption(argument, name)) {
            return true;
        }
    }
    return false;
}

struct LocalFreer {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

}  // namespace

StartMode ParseStartMode(const std::vector<std::wstring>& arguments) {
    if (HasOption(arguments, L"Embedding")) {
        return StartMode::Embedding;
    }
    if (HasOption(arguments, L"Automation")) {
        return StartMode::Automation;
    }
    return StartMode::StandAlone;
}

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreer> words(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; words && i < count; ++i) {
        arguments.emplace_back(words.get()[i]);
    }
    return arguments;
}

}  // namespace tarvek::app
