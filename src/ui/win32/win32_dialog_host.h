// The Win32 host: runs a dialog's logic on a real dialog made from its template.
//
// One static dialog procedure finds the host of the window and dispatches to the logic:
// WM_INITDIALOG → centre over the owner (or the screen), data exchange towards the controls,
// then OnInitDialog; WM_COMMAND → OnOK (IDOK), OnCancel (IDCANCEL) or OnCommand(id,
// notification code); WM_CLOSE → OnClose; WM_SYSCOMMAND → OnSysCommand. The host paints the
// dialog's icon while the window is minimised, answers WM_QUERYDRAGICON with it, and keeps the
// window's drawn controls (WindowDressing). Nothing a handler does escapes the dialog procedure
// into user32.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "ui/dialog_host.h"
#include "ui/dialog_logic.h"
#include "ui/win32/window_dressing.h"

namespace tarvek::ui::win32 {

// Called once inside the modal loop, after the window has been shown (drivers and the Windows
// tests look at and operate the real window from here).
using WhileShown = std::function<void(HWND dialog)>;

// Runs the logic modally on the template logic.TemplateId() of the program's module; owner is
// disabled for the duration (nullptr: none). dressing makes the window's drawn controls (and
// those of every child dialog it runs). Returns the result given to EndDialog, or -1 when the
// window could not be made.
int RunModalDialog(DialogLogic& logic, HWND owner, const WhileShown& whileShown = nullptr,
                   DressingFactory dressing = nullptr);

// The program's name (its file name without the extension): the caption of a message box
// that names none, as the framework does.
std::wstring ProgramTitle();

// Registers the common-control classes the templates use (progress bar, IP address control).
// RunModalDialog calls it; calling it again is harmless.
void InitDialogControlClasses();

class Win32DialogHost final : public DialogHost {
  public:
    Win32DialogHost(DialogLogic& logic, const WhileShown& whileShown, DressingFactory dressing);
    ~Win32DialogHost() override;
    Win32DialogHost(const Win32DialogHost&) = delete;
    Win32DialogHost& operator=(const Win32DialogHost&) = delete;

    HWND Window() const { return m_hWnd; }
    // The host of a window run by RunModalDialog, null for any other window.
    static Win32DialogHost* FromWindow(HWND dialog);

    // DialogHost.
    void EnableControl(int id, bool enabled) override;
    bool IsControlEnabled(int id) const override;
    void SetText(int id, const std::string& utf8) override;
    std::string GetText(int id) const override;
    void SetTitle(const std::string& utf8) override;
    std::string GetTitle() const override;
    void SetAnsiText(int id, const std::string& bytes) override;
    std::string GetAnsiText(int id) const override;
    void SetTextLimit(int id, int maxChars) override;
    void ResetList(int id) override;
    void AddListItem(int id, const std::string& utf8) override;
    void SelectListItem(int id, int index) override;
    int GetListSelection(int id) const override;
    int GetListCount(int id) const override;
    std::string GetListItemText(int id, int index) const override;
    void CheckRadioButton(int firstId, int lastId, int checkId) override;
    bool IsChecked(int id) const override;
    void SetIpAddress(int id, std::uint32_t packed) override;
    std::uint32_t GetIpAddress(int id) const override;
    void SetProgressRange(int id, int low, int high) override;
    void SetProgressStep(int id, int step) override;
    void SetProgressPos(int id, int position) override;
    int ShowMessage(const std::string& textUtf8, const std::string& captionUtf8,
                    unsigned flags) override;
    int RunModal(DialogLogic& child) override;
    void EndDialog(int result) override;
    void ShowWindow(bool visible) override;
    int AnsiCodePage() const override;
    std::string LoadResourceString(int id) const override;
    void AppendSystemMenuItem(int commandId, const std::string& utf8) override;
    void SetDialogIcon(int iconId) override;
    void DressButton(int id, int iconId) override;
    void DressGroupBox(int id, std::uint32_t captionColor, bool bold, CaptionAlign align) override;

  private:
    friend int RunModalDialog(DialogLogic& logic, HWND owner, const WhileShown& whileShown,
                              DressingFactory dressing);

    struct IconDeleter {
        void operator()(HICON icon) const;
    };
    using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog(HWND dialog);
    void OnCommand(int id, int code, HWND control);
    bool PaintMinimised();
    HWND Control(int id) const;
    LRESULT SendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) const;

    DialogLogic& m_logic;
    WhileShown m_whileShown;
    int m_nShownTicks = 0;
    HWND m_hWnd = nullptr;
    DressingFactory m_makeDressing;
    std::unique_ptr<WindowDressing> m_pDressing;
    IconHandle m_hBigIcon;
    IconHandle m_hSmallIcon;
};

}  // namespace tarvek::ui::win32
