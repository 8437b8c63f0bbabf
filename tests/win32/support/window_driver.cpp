#include "win32/support/window_driver.h"

#include <algorithm>

#include "ui/win32/text_convert.h"

namespace tarvek::win32test {
namespace {

ModalWatcher* g_pWatcher = nullptr;  // the test thread's one watcher

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root == nullptr || !IsDialogMessageW(root, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

std::string TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return ui::win32::WideToUtf8(text);
}

std::string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

bool IsItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id) {
    if (IsItemEnabled(dialog, id)) {
        SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    }
}

void SelectByUser(HWND dialog, int id, int index) {
    const HWND item = GetDlgItem(dialog, id);
    if (IsItemEnabled(dialog, id)) {
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(item));
    }
}

void TypeInto(HWND dialog, int id, const std::string& utf8) {
    if (IsItemEnabled(dialog, id)) {
        const std::wstring text = ui::win32::Utf8ToWide(utf8);
        SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
        SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE,
                            reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void PressKey(HWND dialog, UINT virtualKey) {
    // To the focused control of the dialog, or the dialog itself: its dialog manager takes
    // Escape and Enter from either.
    HWND target = GetFocus();
    if (target == nullptr || (target != dialog && !IsChild(dialog, target))) {
        target = dialog;
    }
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    Pump();
}

ModalWatcher::ModalWatcher(std::function<void(HWND)> answer)
    : m_answer(std::move(answer)), m_seen(ThreadWindows()) {
    g_pWatcher = this;
    m_timer = SetTimer(nullptr, 0, 20, &ModalWatcher::OnTimer);
}

ModalWatcher::~ModalWatcher() {
    KillTimer(nullptr, m_timer);
    g_pWatcher = nullptr;
}

void CALLBACK ModalWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalWatcher* self = g_pWatcher;
    for (HWND window : self != nullptr ? ThreadWindows() : std::vector<HWND>()) {
        wchar_t className[8] = {};
        GetClassNameW(window, className, 8);
        if (IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
            std::find(self->m_seen.begin(), self->m_seen.end(), window) == self->m_seen.end()) {
            self->m_seen.push_back(window);
            self->m_answer(window);
        }
    }
}

std::string MessageBoxText(HWND box) {
    return ItemText(box, 0xFFFF);  // the static control that holds a message box's text
}

void Press(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

}  // namespace tarvek::win32test
