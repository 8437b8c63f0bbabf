// Looks at and operates the program's windows from outside the program, for the whole-program
// tests (run under Wine beside tarvek.exe):
//   window_tool wait-shown <title> <ms>   the dialog with this caption is visible (exit 0)
//   window_tool wait-gone <title> <ms>    no window with this caption exists any more
//   window_tool state <title>             prints "absent", "hidden" or "visible"
//   window_tool press <title> <id>        posts the click of control <id> (1 = OK/Exit)
//   window_tool syscommand <title> <id>   posts a system-menu command (16 = About)
// Captions are UTF-8.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Widen(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

HWND FindDialog(const std::wstring& title) {
    return FindWindowW(L"#32770", title.c_str());
}

bool WaitFor(const std::wstring& title, int milliseconds, bool wantShown) {
    for (int waited = 0; waited <= milliseconds; waited += 100) {
        const HWND window = FindDialog(title);
        const bool shown = window != nullptr && IsWindowVisible(window);
        if (wantShown ? shown : window == nullptr) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

int Usage() {
    std::fputs(
        "usage: window_tool wait-shown|wait-gone|state|press|syscommand <title> "
        "[ms|id]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    const std::wstring title = Widen(argv[2]);
    const int number = argc > 3 ? std::atoi(argv[3]) : 0;
    if (command == "wait-shown" || command == "wait-gone") {
        return WaitFor(title, number, command == "wait-shown") ? 0 : 1;
    }
    const HWND window = FindDialog(title);
    if (command == "state") {
        std::puts(window == nullptr ? "absent" : IsWindowVisible(window) ? "visible" : "hidden");
        return 0;
    }
    if (window == nullptr) {
        std::fprintf(stderr, "window_tool: no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (command == "press") {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(number, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, number)));
        return 0;
    }
    if (command == "syscommand") {
        PostMessageW(window, WM_SYSCOMMAND, static_cast<WPARAM>(number), 0);
        return 0;
    }
    return Usage();
}
