// The icon push button: an ordinary dialog push button taken over and painted here (face,
// border, icon beside the caption, focus mark, the default button's black frame). The dialogs
// use the raised look; the flat look with hover tracking is the class's default.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

namespace tarvek::controls {

class CIconButton {
  public:
    CIconButton();
    virtual ~CIconButton();
    CIconButton(const CIconButton&) = delete;
    CIconButton& operator=(const CIconButton&) = delete;

    // Takes over an existing push button (owner-drawn from now on); false if it cannot.
    bool SubclassWindow(HWND button);
    HWND Window() const { return m_hWnd; }

    // Icon resources of the program for the three slots (0: pressed or hovered, 1: idle,
    // 2: disabled); slot 0 is always loaded, slots 1 and 2 when their id is not 0. Returns 0.
    int SetIcons(int id0, int width0, int height0, int id1, int width1, int height1, int id2,
                 int width2, int height2);
    // 1 = flat look with hover tracking, 0 = raised look. Returns 0.
    int SetFlat(int flat, int redraw);

    // Paints the button as the item describes (reflected WM_DRAWITEM).
    void DrawItem(const DRAWITEMSTRUCT& item);

    bool IsFlat() const { return m_nFlat != 0; }
    bool IsHovered() const { return m_nHover != 0; }
    bool IsDefault() const { return m_nDefault != 0; }

  protected:
    virtual void DrawBorder(HDC dc, RECT* rect);
    virtual void DrawBackground(HDC dc, RECT* rect);

  private:
    struct IconDeleter {
        void operator()(HICON icon) const;
    };
    using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
    struct Slot {
        Icon icon;
        int width = 0;
        int height = 0;
    };

    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static void CALLBACK OnHoverTimer(HWND, UINT, UINT_PTR, DWORD);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove();
    void HoverEnd();
    void OnDisabled();
    const Slot* ChooseIcon() const;
    void DrawCaption(HDC dc, RECT area, const wchar_t* caption, int length);
    void Redraw();
    void Unsubclass();

    HWND m_hWnd = nullptr;
    int m_nFlat = 1;
    int m_nHover = 0;
    int m_nPressed = 0;
    int m_nFocused = 0;
    int m_nDisabled = 0;
    int m_nDefault = 0;
    std::array<Slot, 3> m_slots;
    UINT_PTR m_nTimer = 0;
    COLORREF m_crBack;
    COLORREF m_crText;
};

}  // namespace tarvek::controls
