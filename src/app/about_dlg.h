// The About box (template 100): no members, no handlers of its own; OK and Escape close it.
// The main dialog runs it from its system menu.
#pragma once

#include "res/resource.h"
#include "ui/dialog_logic.h"

namespace tarvek {

class CAboutTarvekDlg : public ui::DialogLogic {
  public:
    CAboutTarvekDlg() : DialogLogic(IDD_ABOUTBOX) {}
};

}  // namespace tarvek
