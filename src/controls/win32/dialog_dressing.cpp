#include "controls/win32/dialog_dressing.h"

#include <commctrl.h>

#include <map>

#include "controls/win32/icon_button.h"
#include "controls/win32/xp_group_box.h"

namespace tarvek::controls {
namespace {

constexpr UINT_PTR kReflectId = 0xD2E5;
constexpr int kIconSize = 32;

// The drawn control made for a dialog's control id: the one made before, or a new one that takes
// the window over (take(control) returns false when it cannot: then there is none).
template <class Drawn, class Take>
Drawn* FindOrMake(std::map<int, std::unique_ptr<Drawn>>& made, HWND dialog, int id, Take take) {
    const auto found = made.find(id);
    if (found != made.end()) {
        return found->second.get();
    }
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        return nullptr;
    }
    auto drawn = std::make_unique<Drawn>();
    if (!take(*drawn, control)) {
        return nullptr;
    }
    return made.emplace(id, std::move(drawn)).first->second.get();
}

}  // namespace

// The controls made so far, by control id. The dialog's WM_DRAWITEM for a dressed button is
// handed to that button (the owner-drawn button paints itself).
struct DialogDressing::Controls {
    std::map<int, std::unique_ptr<CIconButton>> buttons;
    std::map<int, std::unique_ptr<CXPGroupBox>> boxes;
    bool reflecting = false;

    static LRESULT CALLBACK Reflect(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR self) {
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            auto& buttons = reinterpret_cast<Controls*>(self)->buttons;
            const auto found = buttons.find(static_cast<int>(item->CtlID));
            if (item->CtlType == ODT_BUTTON && found != buttons.end() &&
                found->second->Window() == item->hwndItem) {
                found->second->DrawItem(*item);
                return TRUE;
            }
        }
        return DefSubclassProc(dialog, message, wParam, lParam);
    }
};

DialogDressing::DialogDressing(HWND dialog)
    : m_hDialog(dialog), m_pControls(std::make_unique<Controls>()) {
    if (m_hDialog != nullptr) {
        m_pControls->reflecting =
            SetWindowSubclass(m_hDialog, &Controls::Reflect, kReflectId,
                              reinterpret_cast<DWORD_PTR>(m_pControls.get())) != FALSE;
    }
}

DialogDressing::~DialogDressing() {
    if (m_pControls->reflecting) {
        RemoveWindowSubclass(m_hDialog, &Controls::Reflect, kReflectId);
    }
}

void DialogDressing::DressButton(int id, int iconId) {
    CIconButton* button =
        FindOrMake(m_pControls->buttons, m_hDialog, id,
                   [](CIconButton& b, HWND control) { return b.SubclassWindow(control); });
    if (button == nullptr) {
        return;
    }
    SendMessageW(button->Window(), WM_SETFONT,
                 static_cast<WPARAM>(SendMessageW(m_hDialog, WM_GETFONT, 0, 0)), TRUE);
    button->SetIcons(iconId, kIconSize, kIconSize, 0, kIconSize, kIconSize, 0, kIconSize,
                     kIconSize);
    button->SetFlat(0, 1);
}

void DialogDressing::DressGroupBox(int id, std::uint32_t captionColor, bool bold,
                                   ui::CaptionAlign align) {
    CXPGroupBox* box = FindOrMake(m_pControls->boxes, m_hDialog, id,
                                  [](CXPGroupBox& b, HWND control) { return b.Attach(control); });
    if (box == nullptr) {
        return;
    }
    box->SetCaptionTextColor(static_cast<COLORREF>(captionColor)).SetCaptionBold(bold ? 1 : 0);
    if (align != ui::CaptionAlign::Left) {
        box->SetCaptionAlign(static_cast<int>(align));
    }
}

std::unique_ptr<ui::win32::WindowDressing> MakeDialogDressing(HWND dialog) {
    return std::make_unique<DialogDressing>(dialog);
}

}  // namespace tarvek::controls
