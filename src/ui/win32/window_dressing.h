// The drawn controls of one dialog window, as the Win32 host asks for them: icon push buttons
// and owner-drawn group boxes (DialogHost::DressButton and DressGroupBox). The drawn controls
// themselves live above the dialog framework; the program hands the host a factory that makes
// the dressing of each new window, and child dialogs get the same factory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/dialog_host.h"

namespace tarvek::ui::win32 {

class WindowDressing {
  public:
    virtual ~WindowDressing() = default;
    virtual void DressButton(int id, int iconId) = 0;
    virtual void DressGroupBox(int id, std::uint32_t captionColor, bool bold,
                               CaptionAlign align) = 0;
};

// Makes the dressing of a dialog window when it is initialised; it is destroyed with the
// window. Null: the window keeps its plain controls.
using DressingFactory = std::unique_ptr<WindowDressing> (*)(HWND dialog);

}  // namespace tarvek::ui::win32
