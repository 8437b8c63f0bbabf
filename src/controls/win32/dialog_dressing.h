// The drawn controls of one dialog window: the icon push buttons and owner-drawn group boxes
// that the dialog's logic asked for (DialogHost::DressButton and DressGroupBox). The Win32 host
// keeps one per window, made by MakeDialogDressing when the window is initialised and destroyed
// with it; the controls it made die with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/win32/window_dressing.h"

namespace tarvek::controls {

class DialogDressing final : public ui::win32::WindowDressing {
  public:
    explicit DialogDressing(HWND dialog);
    ~DialogDressing() override;
    DialogDressing(const DialogDressing&) = delete;
    DialogDressing& operator=(const DialogDressing&) = delete;

    // Dresses (or dresses again) a push button with a 32 x 32 icon resource, raised look, in the
    // dialog's font.
    void DressButton(int id, int iconId) override;
    // Makes a group box owner-drawn: caption colour (0x00BBGGRR), bold or not, alignment.
    void DressGroupBox(int id, std::uint32_t captionColor, bool bold,
                       ui::CaptionAlign align) override;

  private:
    struct Controls;
    HWND m_hDialog;
    std::unique_ptr<Controls> m_pControls;
};

// The factory the program hands its dialogs' host.
std::unique_ptr<ui::win32::WindowDressing> MakeDialogDressing(HWND dialog);

}  // namespace tarvek::controls
