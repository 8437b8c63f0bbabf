// Looking at and operating a real dialog from a Windows test, the way a user would.
//
// A test runs its logic class with ui::win32::RunModalDialog(logic, owner, whileShown); inside
// whileShown(dialog) it reads the controls back through Win32, plays gestures, answers the
// message boxes and child dialogs the gestures open (ModalWatcher), takes a picture, and ends
// the dialog (a click on Exit, PressKey(VK_ESCAPE), or EndDialog).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvek::win32test {

// What a control shows, read back through Win32.
HWND Item(HWND dialog, int id);
std::string TextOf(HWND window);  // UTF-8
std::string ItemText(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
bool IsItemChecked(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);  // -1 = none
std::vector<std::string> ComboItems(HWND dialog, int id);
LONG_PTR ItemStyle(HWND dialog, int id);
// A control's rectangle in the dialog's units (as the template gives it). Combo boxes report
// their closed height; compare x, y and width for them.
RECT ItemRectInDialogUnits(HWND dialog, int id);

// One control of a dialog template as the program's resources hold it (before any window
// changes a style bit).
struct TemplateItem {
    int id;
    DWORD style;
    int x, y, width, height;
    std::wstring className;  // "Button", "Edit", "Static", "ComboBox", or a registered class name
    std::string title;
};
std::vector<TemplateItem> ReadTemplateItems(int templateId);

// The user's gestures; each does nothing on a disabled control, as on screen.
void Click(HWND dialog, int id);
void SelectByUser(HWND dialog, int id, int index);            // the list's CBN_SELCHANGE
void TypeInto(HWND dialog, int id, const std::string& utf8);  // replaces the text, within its limit
// A key through the modal loop's dialog manager (VK_RETURN, VK_ESCAPE): posted to the focus.
void PressKey(HWND dialog, UINT virtualKey);
// Lets the modal loop run until it has nothing left to do (posted keys, repaints).
void Pump();

// Answers the modal windows (message boxes, child dialogs) that later gestures open: each new
// dialog window of this thread is passed once to answer, which must end it (e.g. Press(box, IDOK)).
// One watcher at a time; it stops when destroyed.
class ModalWatcher {
  public:
    using Answer = std::function<void(HWND window)>;
    explicit ModalWatcher(Answer answer);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int Answered() const { return static_cast<int>(m_answered.size()); }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK OnWindow(HWND window, LPARAM self);

    Answer m_answer;
    std::vector<HWND> m_known;
    std::vector<HWND> m_answered;
    UINT_PTR m_timer = 0;
};

// The text of a message box, and a press on one of a window's buttons (posted, so the box's
// own loop carries it out).
std::string MessageBoxText(HWND box);
void Press(HWND window, int id);

// Saves the window's pixels as a 24-bit BMP file; false when it could not.
bool SaveWindowImage(HWND window, const std::string& path);
// A file name beside the test program (the build folder), for pictures a person looks at.
std::string OutputPath(const std::string& fileName);

}  // namespace tarvek::win32test
