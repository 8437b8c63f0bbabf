// Looking at and operating a real dialog from a Windows test, as a user would: a test runs its
// logic with ui::win32::RunModalDialog and, inside whileShown(dialog), reads the controls back
// through Win32, plays gestures and has the message boxes they open answered.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/text_convert.h"

namespace tarvek::win32test {

inline std::string TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return ui::win32::WideToUtf8(text);
}
inline std::string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}
inline bool IsItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
// A click does nothing on a disabled button, as on screen.
inline void Click(HWND dialog, int id) {
    if (IsItemEnabled(dialog, id)) {
        SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    }
}
inline void SelectByUser(HWND dialog, int id, int index) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(GetDlgItem(dialog, id)));
}
// Typed text replaces the edit's, within its limit.
inline void TypeInto(HWND dialog, int id, const std::string& utf8) {
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE,
                        LPARAM(ui::win32::Utf8ToWide(utf8).c_str()));
}
// A key through the dialog manager (VK_RETURN, VK_ESCAPE), then the queue run empty.
inline void PressKey(HWND dialog, UINT virtualKey) {
    PostMessageW(dialog, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(dialog, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        if (!IsDialogMessageW(dialog, &message)) {
            DispatchMessageW(&message);
        }
    }
}

// Keeps "caption | text" of each message box (an owned dialog) that gestures of this thread
// open while it lives, and closes the box with OK.
class MessageBoxAnswer {
  public:
    MessageBoxAnswer() { s_pActive = this; }
    ~MessageBoxAnswer() {
        KillTimer(nullptr, m_timer);
        s_pActive = nullptr;
    }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
    std::vector<std::string> shown;

  private:
    static BOOL CALLBACK Answer(HWND box, LPARAM) {
        wchar_t type[8] = {};
        GetClassNameW(box, type, 8);
        auto& seen = s_pActive->m_seen;
        if (IsWindowVisible(box) && GetWindow(box, GW_OWNER) != nullptr &&
            std::wstring(type) == L"#32770" &&
            std::find(seen.begin(), seen.end(), box) == seen.end()) {
            seen.push_back(box);
            // A message box keeps its text in the static control 0xFFFF.
            s_pActive->shown.push_back(TextOf(box) + " | " + ItemText(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         LPARAM(GetDlgItem(box, IDOK)));
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_pActive != nullptr) {
            EnumThreadWindows(GetCurrentThreadId(), &Answer, 0);
        }
    }
    static inline MessageBoxAnswer* s_pActive = nullptr;
    std::vector<HWND> m_seen;
    UINT_PTR m_timer = SetTimer(nullptr, 0, 20, &OnTimer);
};

}  // namespace tarvek::win32test
