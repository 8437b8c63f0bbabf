// Looks at and operates the program's windows from outside the program, for the whole-program
// tests (run under Wine beside tarvek.exe):
//   window_tool wait-shown <title> <ms>   the dialog with this caption is visible (exit 0)
//   window_tool wait-gone <title> <ms>    no window with this caption exists any more
//   window_tool state <title>             prints "absent", "hidden" or "visible"
//   window_tool press <title> <id>        posts the click of control <id> (1 = OK/Exit)
//   window_tool syscommand <title> <id>   posts a system-menu command (16 = About)
//   window_tool enabled <title> <id>      prints "enabled" or "disabled" for control <id>
//   window_tool text <title> <id>         prints the text of control <id> (a combo box: its
//                                         selected item; a message box's text is id 65535)
//   window_tool select <title> <id> <item>  selects <item> in combo box <id> and tells the
//                                         dialog as a user's choice would (CBN_SELCHANGE)
//   window_tool type <title> <id> <text>  sets the text of edit <id>, as typing would (the edit
//                                         tells the dialog EN_CHANGE)
//   window_tool ip <title> <id> <a.b.c.d>  sets the address of IP address control <id>
//   window_tool box-text <title> <ms>     waits for a message box (a dialog) owned by the dialog
//                                         <title>; prints its caption, then its text
//   window_tool box-ok <title>            posts OK to the dialog's message box
// Captions and texts are UTF-8. Messages sent to the program wait at most kReplyMs.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A busy program answers later than this only when it hangs.
constexpr UINT kReplyMs = 5000;

std::string Narrow(const std::wstring& wide) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

// Sends a message to the program's window, waiting kReplyMs at most; false when unanswered.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyMs,
                               &result) != 0;
}

// The control's text through WM_GETTEXT (an edit control keeps its own text).
bool ControlText(HWND control, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!SendBounded(control, WM_GETTEXTLENGTH, 0, 0, length)) {
        return false;
    }
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendBounded(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                     copied)) {
        return false;
    }
    buffer.resize(static_cast<size_t>(copied));
    text = buffer;
    return true;
}

// Selects the item in the combo box, then notifies the dialog the way a user's choice does.
bool SelectItem(HWND window, int id, const std::wstring& item) {
    const HWND combo = GetDlgItem(window, id);
    DWORD_PTR index = 0;
    if (combo == nullptr ||
        !SendBounded(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(item.c_str()), index) ||
        static_cast<LRESULT>(index) == CB_ERR) {
        return false;
    }
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return true;
}

HWND FindDialog(const std::wstring& title) {
    return FindWindowW(L"#32770", title.c_str());
}

// A visible dialog whose owner is the given window (a message box over it).
HWND FindOwnedDialog(HWND owner) {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
        if (GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog)) {
            return dialog;
        }
    }
    return nullptr;
}

int PrintBox(HWND owner, int milliseconds) {
    for (int waited = 0; waited <= milliseconds; waited += 100) {
        const HWND box = FindOwnedDialog(owner);
        std::wstring caption, text;
        if (box != nullptr && ControlText(box, caption)) {
            const HWND textControl = GetDlgItem(box, 0xFFFF);
            if (textControl != nullptr) {
                ControlText(textControl, text);
            }
            std::printf("%s\n%s\n", Narrow(caption).c_str(), Narrow(text).c_str());
            return 0;
        }
        Sleep(100);
    }
    return 1;
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
    std::fputs("usage: window_tool <command> <title> [ms|id] [item|text|address]\n", stderr);
    return 2;
}

}  // namespace

// Wide arguments: a caption in Korean does not pass through the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = Narrow(argv[1]);
    const std::wstring title = argv[2];
    const int number = argc > 3 ? _wtoi(argv[3]) : 0;
    if (command == "wait-shown" || command == "wait-gone") {
        return WaitFor(title, number, command == "wait-shown") ? 0 : 1;
    }
    const HWND window = FindDialog(title);
    if (command == "state") {
        std::puts(window == nullptr ? "absent" : IsWindowVisible(window) ? "visible" : "hidden");
        return 0;
    }
    if (window == nullptr) {
        std::fprintf(stderr, "window_tool: no window \"%s\"\n", Narrow(title).c_str());
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
    if (command == "box-text") {
        return PrintBox(window, number);
    }
    if (command == "box-ok") {
        const HWND box = FindOwnedDialog(window);
        if (box == nullptr) {
            return 1;
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return 0;
    }
    const HWND control = GetDlgItem(window, number);
    if (control == nullptr) {
        std::fprintf(stderr, "window_tool: no control %d in \"%s\"\n", number,
                     Narrow(title).c_str());
        return 1;
    }
    if (command == "enabled") {
        std::puts(IsWindowEnabled(control) ? "enabled" : "disabled");
        return 0;
    }
    if (command == "text") {
        std::wstring text;
        if (!ControlText(control, text)) {
            return 1;
        }
        std::puts(Narrow(text).c_str());
        return 0;
    }
    if (command == "select" && argc > 4) {
        return SelectItem(window, number, argv[4]) ? 0 : 1;
    }
    unsigned a = 0, b = 0, c = 0, d = 0;
    DWORD_PTR result = 0;
    if (command == "ip" && argc > 4 && swscanf(argv[4], L"%u.%u.%u.%u", &a, &b, &c, &d) == 4) {
        return SendBounded(control, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d), result) ? 0 : 1;
    }
    if (command == "type" && argc > 4) {
        const bool set =
            SendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), result);
        return set && result == TRUE ? 0 : 1;
    }
    return Usage();
}
