// Looking at and operating a real dialog from a Windows test, the way a user would: a test
// runs its logic with ui::win32::RunModalDialog and, inside whileShown(dialog), reads the
// controls back through Win32, plays gestures and answers the modal windows they open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvek::win32test {

std::string TextOf(HWND window);  // UTF-8
std::string ItemText(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);

// The user's gestures; each does nothing on a disabled control, as on screen.
void Click(HWND dialog, int id);
void SelectByUser(HWND dialog, int id, int index);            // with CBN_SELCHANGE
void TypeInto(HWND dialog, int id, const std::string& utf8);  // within the edit's limit
// A key through the dialog manager (VK_RETURN, VK_ESCAPE), then the queue run empty.
void PressKey(HWND dialog, UINT virtualKey);

// Answers each modal window (message box, child dialog) that later gestures of this thread
// open: answer(window) must end it (Press(box, IDOK), Click(child, IDOK)).
class ModalWatcher {
  public:
    explicit ModalWatcher(std::function<void(HWND)> answer);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> m_answer;
    std::vector<HWND> m_seen;
    UINT_PTR m_timer = 0;
};

std::string MessageBoxText(HWND box);
// Posts a button's command, so the window's own loop carries it out.
void Press(HWND window, int id);

}  // namespace tarvek::win32test
