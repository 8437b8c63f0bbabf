#include "controls/win32/xp_group_box.h"

#include <commctrl.h>

#include <cwchar>

namespace tarvek::controls {
namespace {

constexpr UINT_PTR kSubclassId = 0x6B0C;
constexpr LONG_PTR kIconStyle = 0x40;  // BS_ICON: the platform paints no caption of its own
constexpr int kOutlineIndent = 10;
constexpr int kFilledIndent = 2;
constexpr int kFilledGap = 4;
constexpr int kCorner = 10;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

// GDI objects made for one paint, and the selection they replace.
struct Selected {
    Selected(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc, previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    HDC dc;
    HGDIOBJ previous;
};
struct Owned {
    explicit Owned(HGDIOBJ object) : handle(object) {}
    ~Owned() { DeleteObject(handle); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    HGDIOBJ handle;
};

// The caption's left edge in r for a caption cx wide: `indent` in from the left or the right
// edge, or centred.
int CaptionLeft(const RECT& r, int align, int cx, int indent) {
    switch (align) {
        case CXPGroupBox::Center:
            return r.left + (r.right - r.left - cx) / 2;
        case CXPGroupBox::Right:
            return r.right - indent - cx;
        default:
            return r.left + indent;
    }
}

}  // namespace

CXPGroupBox::CXPGroupBox()
    : m_crFrame(GetSysColor(COLOR_BTNSHADOW)),
      m_crCaptionBack(GetSysColor(COLOR_BTNFACE)),
      m_crBodyFill(GetSysColor(COLOR_BTNFACE)),
      m_crCaptionText(GetSysColor(COLOR_WINDOWTEXT)) {}

CXPGroupBox::~CXPGroupBox() {
    const HWND window = m_hWnd;
    Detach();
    if (m_bOwnsWindow && window != nullptr) {
        DestroyWindow(window);
    }
}

bool CXPGroupBox::Create(const wchar_t* caption, DWORD style, const RECT& rect, HWND parent,
                         int id) {
    if (m_hWnd != nullptr) {
        return false;
    }
    const HWND box = CreateWindowExW(
        0, L"Button", caption, style | static_cast<DWORD>(kIconStyle), rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (box == nullptr) {
        return false;
    }
    if (!Attach(box)) {
        DestroyWindow(box);
        return false;
    }
    m_bOwnsWindow = true;
    return true;
}

bool CXPGroupBox::Attach(HWND box) {
    if (m_hWnd != nullptr || box == nullptr ||
        !SetWindowSubclass(box, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    m_hWnd = box;
    SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | kIconStyle);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = GetStockObject(SYSTEM_FONT);
    }
    GetObjectW(font, sizeof(m_lfCaption), &m_lfCaption);
    RebuildCaptionFont();
    return true;
}

void CXPGroupBox::Detach() {
    if (m_hWnd != nullptr) {
        RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
        m_hWnd = nullptr;
    }
}

LRESULT CALLBACK CXPGroupBox::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* box = reinterpret_cast<CXPGroupBox*>(self);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window, &paint);
            box->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            box->Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETTEXT:
        case WM_ENABLE: {
            // The platform may paint its own group box at once on these; ours paints over it.
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_NCDESTROY: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            box->Detach();
            box->m_bOwnsWindow = false;
            return result;
        }
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

void CXPGroupBox::RebuildCaptionFont() {
    m_fontCaption.reset();
    m_fontCaption.reset(CreateFontIndirectW(&m_lfCaption));
}

void CXPGroupBox::RedrawBox() {
    if (m_hWnd == nullptr) {
        return;
    }
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // The box leaves parts of its area to the parent (inside the outline, above the filled box).
    const HWND parent = GetParent(m_hWnd);
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        InvalidateRect(parent, &rect, TRUE);
        UpdateWindow(parent);
    }
}

CXPGroupBox& CXPGroupBox::SetFrameColor(COLORREF colour) {
    m_crFrame = colour;
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(COLORREF colour) {
    m_crCaptionText = colour;
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFillColors(COLORREF captionBack, COLORREF bodyFill) {
    m_crCaptionBack = captionBack;
    m_crBodyFill = bodyFill;
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFillColor(COLORREF colour) {
    return SetFillColors(colour, colour);
}

CXPGroupBox& CXPGroupBox::SetFrameStyle(int style) {
    m_nFrameStyle = style;
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaption(const wchar_t* text) {
    if (m_hWnd == nullptr) {
        return *this;
    }
    m_strCaption = L" ";
    m_strCaption += text != nullptr ? text : L"";
    m_strCaption += L" ";
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionBold(int bold) {
    m_lfCaption.lfWeight = bold != 0 ? FW_BOLD : FW_NORMAL;
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionFaceName(const wchar_t* faceName, BYTE charSet) {
    m_lfCaption.lfCharSet = charSet;
    constexpr size_t kRoom = LF_FACESIZE - 1;
    size_t length = faceName != nullptr ? wcsnlen(faceName, LF_FACESIZE) : 0;
    if (length > kRoom) {
        length = kRoom;
        // Never keep half of a surrogate pair.
        if (faceName[length - 1] >= 0xD800 && faceName[length - 1] <= 0xDBFF) {
            --length;
        }
    }
    wmemcpy(m_lfCaption.lfFaceName, faceName != nullptr ? faceName : L"", length);
    m_lfCaption.lfFaceName[length] = L'\0';
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionUnderline(BYTE underline) {
    m_lfCaption.lfUnderline = underline;
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionItalic(BYTE italic) {
    m_lfCaption.lfItalic = italic;
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionPointSize(int points) {
    // A font of that many points in the current face, for the screen: only its height and
    // width are taken over.
    LOGFONTW probe{};
    probe.lfCharSet = DEFAULT_CHARSET;
    wmemcpy(probe.lfFaceName, m_lfCaption.lfFaceName, LF_FACESIZE);
    const HDC screen = GetDC(nullptr);
    probe.lfHeight = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), points * 10, 720);
    ReleaseDC(nullptr, screen);
    const Owned font(CreateFontIndirectW(&probe));
    LOGFONTW made{};
    if (font.handle != nullptr && GetObjectW(font.handle, sizeof(made), &made) != 0) {
        m_lfCaption.lfHeight = made.lfHeight;
        m_lfCaption.lfWidth = made.lfWidth;
    }
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionFont(LOGFONTW font) {
    m_lfCaption = font;
    m_lfCaption.lfFaceName[LF_FACESIZE - 1] = L'\0';
    RebuildCaptionFont();
    RedrawBox();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionAlign(int align) {
    m_nCaptionAlign = align == Center ? Center : align == Right ? Right : Left;
    RedrawBox();
    return *this;
}

void CXPGroupBox::Paint(HDC dc) {
    RECT r{};
    GetClientRect(m_hWnd, &r);
    InflateRect(&r, -1, -1);
    const int saved = SaveDC(dc);
    SelectObject(dc, m_fontCaption.get());

    if (m_strCaption.empty()) {
        const int length = GetWindowTextLengthW(m_hWnd);
        if (length > 0) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            text.resize(static_cast<size_t>(GetWindowTextW(m_hWnd, text.data(), length + 1)));
            if (!text.empty()) {
                m_strCaption = L" " + text + L" ";
            }
        }
    }
    SIZE extent{0, 0};
    if (!m_strCaption.empty()) {
        GetTextExtentPoint32W(dc, m_strCaption.c_str(), static_cast<int>(m_strCaption.size()),
                              &extent);
    }
    const int cx = extent.cx;
    const int cy = extent.cy;

    RECT caption{};
    if (m_nFrameStyle == Outline) {
        caption.left = CaptionLeft(r, m_nCaptionAlign, cx, kOutlineIndent);
        caption.right = caption.left + cx;
        caption.top = r.top;
        caption.bottom = r.top + cy;
        {
            const Owned pen(CreatePen(PS_SOLID, 1, m_crFrame));
            const Selected usePen(dc, pen.handle);
            const Selected useBrush(dc, GetStockObject(HOLLOW_BRUSH));
            RoundRect(dc, r.left, r.top + cy / 2, r.right, r.bottom, kCorner, kCorner);
        }
        // The caption's background hides the frame line behind it.
        IntersectClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        const Owned back(CreateSolidBrush(m_crCaptionBack));
        FillRect(dc, &caption, static_cast<HBRUSH>(back.handle));
    } else {
        {
            const Owned pen(CreatePen(PS_SOLID, 1, m_crFrame));
            const Owned fill(CreateSolidBrush(m_crBodyFill));
            const Selected usePen(dc, pen.handle);
            const Selected useBrush(dc, fill.handle);
            Rectangle(dc, r.left, r.top + cy + kFilledGap, r.right, r.bottom);
        }
        caption.left = CaptionLeft(r, m_nCaptionAlign, cx, kFilledIndent);
        caption.right = caption.left + cx;
        caption.top = r.top + kFilledIndent;
        caption.bottom = caption.top + cy;
    }

    const COLORREF oldColour = SetTextColor(dc, m_crCaptionText);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, m_strCaption.c_str(), static_cast<int>(m_strCaption.size()), &caption,
              kCaptionFormat);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    RestoreDC(dc, saved);
}

}  // namespace tarvek::controls
