// The base of every dialog's logic: the handlers a host calls, and the data exchange.
#pragma once

#include "ui/dialog_host.h"
#include "ui/data_exchange.h"

namespace tarvek::ui {

class DialogLogic {
  public:
    explicit DialogLogic(int templateId) : m_nTemplateId(templateId) {}
    virtual ~DialogLogic() = default;
    DialogLogic(const DialogLogic&) = delete;
    DialogLogic& operator=(const DialogLogic&) = delete;

    int TemplateId() const { return m_nTemplateId; }

    // Called by the host once its window exists, before OnInitDialog; null when it is gone.
    void AttachHost(DialogHost* host) { m_pHost = host; }
    bool HasHost() const { return m_pHost != nullptr; }
    DialogHost& Host() const { return *m_pHost; }

    // Runs the data exchange: towards the controls (false) or from them with validation (true).
    // False when a validation refused a value (its message has been shown).
    bool UpdateData(bool saveAndValidate) {
        DataExchange dx(Host(), saveAndValidate);
        DoDataExchange(dx);
        return !dx.Failed();
    }

    // Handlers. OnInitDialog runs after the first data exchange towards the controls; the
    // result true gives the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // A control's command or notification (kNotifyClicked, kNotifySelChange, ...). IDOK and
    // IDCANCEL arrive as OnOK and OnCancel instead.
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    // The OK command (button 1, Enter): data exchange with validation, then end with IDOK.
    virtual void OnOK() {
        if (UpdateData(true)) {
            Host().EndDialog(kIdOk);
        }
    }
    // The cancel command (Escape): end with IDCANCEL.
    virtual void OnCancel() { Host().EndDialog(kIdCancel); }
    // The close request (caption close button, Alt+F4): the platform's default for a dialog,
    // which is the cancel command.
    virtual void OnClose() { OnCancel(); }
    // A system-menu command; true when handled here.
    virtual bool OnSysCommand(unsigned /*commandId*/) { return false; }
    // The controls exchanged with members.
    virtual void DoDataExchange(DataExchange& /*dx*/) {}

  private:
    int m_nTemplateId;
    DialogHost* m_pHost = nullptr;
};

}  // namespace tarvek::ui
