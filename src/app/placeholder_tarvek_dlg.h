// A stand-in for the main dialog: template 102 with the About item in the system menu, the
// application icon and the close rules of an attached automation client.
#pragma once

#include "maindlg/dialog_services.h"
#include "ui/dialog_logic.h"

namespace tarvek {
class CTarvekDlgAutoProxy;
}

namespace tarvek::app {

class PlaceholderTarvekDlg : public ui::DialogLogic {
  public:
    explicit PlaceholderTarvekDlg(DialogServices& services);

    // The attached automation client, null when none.
    CTarvekDlgAutoProxy* m_pAutoProxy = nullptr;

    // With a client attached the dialog hides instead of closing.
    bool CanExit();

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    bool OnSysCommand(unsigned commandId) override;

  private:
    DialogServices& m_services;
};

}  // namespace tarvek::app
