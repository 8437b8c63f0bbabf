// The owner-drawn group box: a frame with a caption whose colours, font, alignment and frame
// style the owning dialog sets through chained setters. It takes over a group box of a dialog
// template (Attach) and paints it itself.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace tarvek::controls {

class CXPGroupBox {
  public:
    enum FrameStyle : int { Outline = 0, Filled = 1 };
    enum CaptionAlign : int { Left = 0, Center = 1, Right = 2 };

    CXPGroupBox();
    virtual ~CXPGroupBox();
    CXPGroupBox(const CXPGroupBox&) = delete;
    CXPGroupBox& operator=(const CXPGroupBox&) = delete;

    // Takes over an existing group box: adds the BS_ICON bit (the platform then paints no text
    // of its own) and takes the control's font, or the system font when it has none.
    bool Attach(HWND box);
    // Makes a new group box on the parent (BS_ICON added to the given style as well) and takes
    // it over; the box destroys that window with itself. False if it cannot.
    bool Create(const wchar_t* caption, DWORD style, const RECT& rect, HWND parent, int id);
    HWND Window() const { return m_hWnd; }

    virtual CXPGroupBox& SetFrameColor(COLORREF colour);
    virtual CXPGroupBox& SetCaptionTextColor(COLORREF colour);
    virtual CXPGroupBox& SetFillColors(COLORREF captionBack, COLORREF bodyFill);
    virtual CXPGroupBox& SetFillColor(COLORREF colour);
    virtual CXPGroupBox& SetFrameStyle(int style);
    virtual CXPGroupBox& SetCaption(const wchar_t* text);
    virtual CXPGroupBox& SetCaptionBold(int bold);
    // Names of 32 characters or more are cut to the 31 that LOGFONT holds (never inside a
    // surrogate pair).
    virtual CXPGroupBox& SetCaptionFaceName(const wchar_t* faceName, BYTE charSet);
    virtual CXPGroupBox& SetCaptionUnderline(BYTE underline);
    virtual CXPGroupBox& SetCaptionItalic(BYTE italic);
    virtual CXPGroupBox& SetCaptionPointSize(int points);
    virtual CXPGroupBox& SetCaptionFont(LOGFONTW font);
    virtual CXPGroupBox& SetCaptionAlign(int align);

    // Paints the box into a device context (WM_PAINT and WM_PRINTCLIENT).
    void Paint(HDC dc);

    const std::wstring& Caption() const { return m_strCaption; }
    const LOGFONTW& CaptionFont() const { return m_lfCaption; }
    HFONT CaptionFontHandle() const { return m_fontCaption.get(); }
    COLORREF CaptionTextColor() const { return m_crCaptionText; }
    int FrameStyleValue() const { return m_nFrameStyle; }
    int CaptionAlignValue() const { return m_nCaptionAlign; }

  private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void RebuildCaptionFont();
    void RedrawBox();
    void Detach();

    HWND m_hWnd = nullptr;
    bool m_bOwnsWindow = false;
    std::wstring m_strCaption;
    COLORREF m_crFrame;
    COLORREF m_crCaptionBack;
    COLORREF m_crBodyFill;
    COLORREF m_crCaptionText;
    int m_nFrameStyle = Outline;
    int m_nCaptionAlign = Left;
    LOGFONTW m_lfCaption{};
    Font m_fontCaption;
};

}  // namespace tarvek::controls
