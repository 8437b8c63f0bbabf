// What a dialog's logic may do to its window.
//
// The logic classes (CTarvekDlg, CWifiSetDlg, CInfoDlg, ...) hold the state and the handlers and
// talk to their window only through this view. The Win32 host (ui/win32/) carries the calls out
// on a real dialog made from a template; the recording host of the tests keeps every
// control's state so that tests assert a whole control-state table at once and answer message
// boxes and child dialogs.
//
// Texts: the program's own texts are UTF-8 (English or Korean); protocol texts such as the SSID,
// the passphrase, the PIN and ASCII keys are bytes in the ANSI code page (what GetWindowTextA
// gives) and go through the Ansi calls.
#pragma once

#include <cstdint>
#include <string>

namespace tarvek::ui {

class DialogLogic;

// Message box flags and results (the values of the platform's MessageBox).
enum : unsigned {
    kMbOk = 0x0000,
    kMbIconError = 0x0010,
    kMbIconExclamation = 0x0030,
    kMbIconInformation = 0x0040,
};
enum : int { kIdOk = 1, kIdCancel = 2 };

// Notification codes passed to DialogLogic::OnCommand.
enum : int {
    kNotifyClicked = 0,          // BN_CLICKED
    kNotifySelChange = 1,        // CBN_SELCHANGE
    kNotifyEditChange = 0x0300,  // EN_CHANGE
};

enum class CaptionAlign : int { Left = 0, Center = 1, Right = 2 };

class DialogHost {
  public:
    virtual ~DialogHost() = default;

    // Enabled state of a control.
    virtual void EnableControl(int id, bool enabled) = 0;
    virtual bool IsControlEnabled(int id) const = 0;

    // The program's own texts (UTF-8).
    virtual void SetText(int id, const std::string& utf8) = 0;
    virtual std::string GetText(int id) const = 0;
    virtual void SetTitle(const std::string& utf8) = 0;
    virtual std::string GetTitle() const = 0;

    // Protocol texts (bytes in the ANSI code page).
    virtual void SetAnsiText(int id, const std::string& bytes) = 0;
    virtual std::string GetAnsiText(int id) const = 0;
    // The most characters the user can type into an edit (0 = no limit).
    virtual void SetTextLimit(int id, int maxChars) = 0;

    // Combo boxes: items in order, the selected index (-1 = none).
    virtual void ResetList(int id) = 0;
    virtual void AddListItem(int id, const std::string& utf8) = 0;
    virtual void SelectListItem(int id, int index) = 0;
    virtual int GetListSelection(int id) const = 0;
    virtual int GetListCount(int id) const = 0;
    virtual std::string GetListItemText(int id, int index) const = 0;

    // Radio buttons: check one of the group firstId..lastId, unchecking the others.
    virtual void CheckRadioButton(int firstId, int lastId, int checkId) = 0;
    virtual bool IsChecked(int id) const = 0;

    // IP address controls in their packed form: the first field in the top byte.
    virtual void SetIpAddress(int id, std::uint32_t packed) = 0;
    virtual std::uint32_t GetIpAddress(int id) const = 0;

    // Progress bars.
    virtual void SetProgressRange(int id, int low, int high) = 0;
    virtual void SetProgressStep(int id, int step) = 0;
    virtual void SetProgressPos(int id, int position) = 0;

    // One modal message box owned by this dialog; returns the button pressed (kIdOk, ...).
    virtual int ShowMessage(const std::string& textUtf8, const std::string& captionUtf8,
                            unsigned flags) = 0;
    // Runs a child dialog modally on its own template; returns its end result.
    virtual int RunModal(DialogLogic& child) = 0;
    // Ends this dialog's modal loop with the result.
    virtual void EndDialog(int result) = 0;
    // Shows or hides the dialog window.
    virtual void ShowWindow(bool visible) = 0;

    // The system's ANSI code page (949 selects the Korean texts).
    virtual int AnsiCodePage() const = 0;
    // A string resource of the program, UTF-8 ("" when there is none).
    virtual std::string LoadResourceString(int id) const = 0;

    // Window dressing.
    virtual void AppendSystemMenuItem(int commandId, const std::string& utf8) = 0;
    virtual void SetDialogIcon(int iconId) = 0;
    // Makes a push button an icon push button with this 32 x 32 icon, raised look, in the
    // dialog's font.
    virtual void DressButton(int id, int iconId) = 0;
    // Makes a group box an owner-drawn box with this caption colour (0x00BBGGRR), bold or not,
    // and this caption alignment.
    virtual void DressGroupBox(int id, std::uint32_t captionColor, bool bold,
                               CaptionAlign align) = 0;
};

}  // namespace tarvek::ui
