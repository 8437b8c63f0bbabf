// A DialogHost without a window, for tests: it keeps the state of every control a dialog's
// logic touched, records message boxes and child dialogs, and plays the user's gestures
// (clicks, selections, typing) into the logic the way the Win32 host would.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/dialog_host.h"
#include "ui/dialog_logic.h"

namespace tarvek::ui {

struct ControlState {
    bool enabled = true;
    std::string text;  // window text, as stored (UTF-8 or ANSI bytes, as the logic wrote it)
    int textLimit = 0;
    std::vector<std::string> items;
    int selection = -1;
    bool checked = false;
    std::uint32_t ipAddress = 0;
    int progressLow = 0, progressHigh = 100, progressStep = 10, progressPos = 0;
    int buttonIcon = 0;  // icon of a dressed button, 0 when not dressed
    CaptionAlign groupAlign = CaptionAlign::Left;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    unsigned flags;
};

// What a child dialog looked like when it was shown, and how it ended.
struct ChildRun {
    int templateId;
    std::string title;
    std::map<int, ControlState> controls;
    int result;
};

class RecordingHost : public DialogHost {
  public:
    explicit RecordingHost(int ansiCodePage = 1252) : m_nCodePage(ansiCodePage) {}

    // Attaches the logic, loads its data towards the controls and runs OnInitDialog.
    void Start(DialogLogic& logic);
    DialogLogic* Logic() const { return m_pLogic; }

    // The user's gestures. Each does nothing when the control is disabled (as on screen).
    void Click(int id);                              // buttons; IDOK/IDCANCEL as OK/cancel
    void SelectByUser(int id, int index);            // a combo's list selection
    void TypeInto(int id, const std::string& text);  // replaces an edit's text, within its limit
    void TypeComboText(int id, const std::string& text);  // typed text that selects no item
    void PressEscape();                                   // cancel, even with button 2 absent
    void CloseByUser();                                   // the caption's close button

    // Scripted answers: message boxes answer kIdOk, child dialogs too unless told otherwise.
    void QueueChildResult(int result) { m_childResults.push_back(result); }
    // Replaces the default child run (which starts the child on a recording host of its own).
    void SetChildRunner(std::function<int(DialogLogic&)> runner) { m_childRunner = runner; }
    void SetResourceString(int id, const std::string& text) { m_strings[id] = text; }

    // What happened.
    const ControlState& Control(int id) const;
    ControlState& MutableControl(int id) { return m_controls[id]; }
    const std::vector<ShownMessage>& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }
    const std::vector<ChildRun>& Children() const { return m_children; }
    const std::vector<std::pair<int, std::string>>& SystemMenuItems() const { return m_menu; }
    bool Ended() const { return m_bEnded; }
    int EndResult() const { return m_nEndResult; }
    bool Visible() const { return m_bVisible; }

    // DialogHost.
    void EnableControl(int id, bool enabled) override { m_controls[id].enabled = enabled; }
    bool IsControlEnabled(int id) const override { return Control(id).enabled; }
    void SetText(int id, const std::string& utf8) override { m_controls[id].text = utf8; }
    std::string GetText(int id) const override { return Control(id).text; }
    void SetTitle(const std::string& utf8) override { m_strTitle = utf8; }
    std::string GetTitle() const override { return m_strTitle; }
    void SetAnsiText(int id, const std::string& bytes) override { m_controls[id].text = bytes; }
    std::string GetAnsiText(int id) const override { return Control(id).text; }
    void SetTextLimit(int id, int maxChars) override { m_controls[id].textLimit = maxChars; }
    void ResetList(int id) override;
    void AddListItem(int id, const std::string& utf8) override;
    void SelectListItem(int id, int index) override;
    int GetListSelection(int id) const override { return Control(id).selection; }
    int GetListCount(int id) const override { return static_cast<int>(Control(id).items.size()); }
    std::string GetListItemText(int id, int index) const override;
    void CheckRadioButton(int firstId, int lastId, int checkId) override;
    bool IsChecked(int id) const override { return Control(id).checked; }
    void SetIpAddress(int id, std::uint32_t packed) override { m_controls[id].ipAddress = packed; }
    std::uint32_t GetIpAddress(int id) const override { return Control(id).ipAddress; }
    void SetProgressRange(int id, int low, int high) override;
    void SetProgressStep(int id, int step) override { m_controls[id].progressStep = step; }
    void SetProgressPos(int id, int position) override { m_controls[id].progressPos = position; }
    int ShowMessage(const std::string& textUtf8, const std::string& captionUtf8,
                    unsigned flags) override;
    int RunModal(DialogLogic& child) override;
    void EndDialog(int result) override;
    void ShowWindow(bool visible) override { m_bVisible = visible; }
    int AnsiCodePage() const override { return m_nCodePage; }
    std::string LoadResourceString(int id) const override;
    void AppendSystemMenuItem(int commandId, const std::string& utf8) override;
    void SetDialogIcon(int) override {}
    void DressButton(int id, int iconId) override { m_controls[id].buttonIcon = iconId; }
    void DressGroupBox(int id, std::uint32_t, bool, CaptionAlign align) override {
        m_controls[id].groupAlign = align;  // only the alignment is asserted
    }

  private:
    int m_nCodePage;
    DialogLogic* m_pLogic = nullptr;
    std::map<int, ControlState> m_controls;
    std::string m_strTitle;
    std::vector<ShownMessage> m_messages;
    std::deque<int> m_childResults;
    std::function<int(DialogLogic&)> m_childRunner;
    std::vector<ChildRun> m_children;
    std::map<int, std::string> m_strings;
    std::vector<std::pair<int, std::string>> m_menu;
    bool m_bEnded = false;
    int m_nEndResult = 0;
    bool m_bVisible = true;
};

}  // namespace tarvek::ui
