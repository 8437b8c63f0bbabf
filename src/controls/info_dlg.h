// The confirmation box the main dialog shows after it has sent a new power-save mode or code
// page: one sentence, in English or Korean, saying what the printer will now do. It sends
// nothing itself; the caller sets the values, runs it modally and looks at the result.
#pragma once

#include "ui/dialog_logic.h"

namespace tarvek {

class CInfoDlg : public ui::DialogLogic {
  public:
    enum Kind : int { kPowerSave = 0, kCodePage = 1 };

    CInfoDlg();

    int SetKind(int kind) {
        m_nKind = kind;
        return 1;
    }
    int SetPowerSave(int mode, int minutes) {
        m_nPowerMode = mode;
        m_nMinutes = minutes;
        return 1;
    }
    int SetCodePage(int index) {
        m_nCodePage = index;
        return 1;
    }

    bool OnInitDialog() override;

  private:
    int m_nKind = -1;
    int m_nPowerMode = 0;
    int m_nMinutes = 0;
    int m_nCodePage = 0;
};

}  // namespace tarvek
