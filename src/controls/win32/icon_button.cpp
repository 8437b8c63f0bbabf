#include "controls/win32/icon_button.h"

#include <commctrl.h>

namespace tarvek::controls {
namespace {

constexpr UINT_PTR kSubclassId = 0x1C0B;
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriodMs = 50;
constexpr int kIconInset = 3;
constexpr int kFocusInset = 3;
constexpr int kCaptionMax = 256;
constexpr LONG_PTR kTypeMask = 0x0F;
constexpr LONG_PTR kBit2 = 0x04;

// A solid brush for one paint.
struct Brush {
    explicit Brush(COLORREF colour) : handle(CreateSolidBrush(colour)) {}
    ~Brush() { DeleteObject(handle); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    HBRUSH handle;
};

// The 3-D rectangle of a button border: top and left lines in one colour, right and bottom in
// the other, each one pixel wide.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    const RECT lines[4] = {{r.left, r.top, r.right - 1, r.top + 1},
                           {r.left, r.top, r.left + 1, r.bottom - 1},
                           {r.right - 1, r.top, r.right, r.bottom},
                           {r.left, r.bottom - 1, r.right, r.bottom}};
    Brush light(topLeft);
    Brush dark(bottomRight);
    for (int i = 0; i < 4; ++i) {
        FillRect(dc, &lines[i], i < 2 ? light.handle : dark.handle);
    }
}

}  // namespace

void CIconButton::IconDeleter::operator()(HICON icon) const {
    DestroyIcon(icon);
}

CIconButton::CIconButton()
    : m_crBack(GetSysColor(COLOR_BTNFACE)), m_crText(GetSysColor(COLOR_BTNTEXT)) {}

CIconButton::~CIconButton() {
    Unsubclass();
}

bool CIconButton::SubclassWindow(HWND button) {
    if (m_hWnd != nullptr || button == nullptr ||
        !SetWindowSubclass(button, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    m_hWnd = button;
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    if ((style & kTypeMask) == BS_DEFPUSHBUTTON) {
        m_nDefault = 1;
    }
    SetWindowLongPtrW(button, GWL_STYLE, (style & ~kTypeMask) | BS_OWNERDRAW);
    SetWindowPos(button, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

void CIconButton::Unsubclass() {
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_nTimer != 0) {
        KillTimer(m_hWnd, m_nTimer);
        m_nTimer = 0;
    }
    RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
    m_hWnd = nullptr;
}

int CIconButton::SetIcons(int id0, int width0, int height0, int id1, int width1, int height1,
                          int id2, int width2, int height2) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const int ids[3] = {id0, id1, id2};
    const int widths[3] = {width0, width1, width2};
    const int heights[3] = {height0, height1, height2};
    for (int i = 0; i < 3; ++i) {
        Slot& slot = m_slots[static_cast<size_t>(i)];
        slot.icon.reset();
        if (i == 0 || ids[i] != 0) {
            slot.icon.reset(static_cast<HICON>(
                LoadImageA(module, MAKEINTRESOURCEA(ids[i]), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
        }
        slot.width = widths[i];
        slot.height = heights[i];
    }
    Redraw();
    return 0;
}

int CIconButton::SetFlat(int flat, int redraw) {
    m_nFlat = flat;
    if (redraw != 0) {
        Redraw();
    }
    return 0;
}

void CIconButton::Redraw() {
    if (m_hWnd != nullptr) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

LRESULT CALLBACK CIconButton::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* button = reinterpret_cast<CIconButton*>(self);
    if (button == nullptr || button->m_hWnd != window) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return button->OnMessage(message, wParam, lParam);
}

LRESULT CIconButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = m_hWnd;
    switch (message) {
        case WM_MOUSEMOVE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            OnMouseMove();
            return result;
        }
        case WM_MOUSELEAVE:
            HoverEnd();
            return 0;
        case WM_KILLFOCUS:
        case WM_CANCELMODE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            HoverEnd();
            return result;
        }
        case WM_ACTIVATE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (LOWORD(wParam) == WA_INACTIVE) {
                HoverEnd();
            }
            return result;
        }
        case WM_ENABLE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (wParam == FALSE) {
                OnDisabled();
                HoverEnd();
            }
            return result;
        }
        case WM_DESTROY:
            if (m_nTimer != 0) {
                KillTimer(window, m_nTimer);
                m_nTimer = 0;
            }
            return DefSubclassProc(window, message, wParam, lParam);
        case WM_GETDLGCODE:
            return DefSubclassProc(window, message, wParam, lParam) |
                   (m_nDefault != 0 ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case BM_SETSTYLE: {
            const LONG_PTR type = static_cast<LONG_PTR>(wParam) & kTypeMask;
            if (type == BS_DEFPUSHBUTTON) {
                m_nDefault = 1;
            } else if (type == BS_PUSHBUTTON) {
                m_nDefault = 0;
            }
            // Stays owner-drawn while the dialog moves the default status.
            const WPARAM style = (wParam & ~static_cast<WPARAM>(kBit2)) | BS_OWNERDRAW;
            return DefSubclassProc(window, message, style, lParam);
        }
        case WM_LBUTTONDOWN:
            SendMessageW(window, BM_SETSTATE, TRUE, 0);
            return DefSubclassProc(window, message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            // A double click counts as two clicks.
            return DefSubclassProc(window, WM_LBUTTONDOWN, wParam, lParam);
        case WM_NCDESTROY: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            Unsubclass();
            return result;
        }
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

void CIconButton::OnDisabled() {
    // The focus goes on to the next control of the dialog that can take it (or to the dialog),
    // so the keyboard still reaches the dialog when the focused button has been disabled.
    const HWND parent = GetParent(m_hWnd);
    if (parent == nullptr) {
        return;
    }
    const HWND next = GetNextDlgTabItem(parent, m_hWnd, FALSE);
    SetFocus(next != nullptr && next != m_hWnd ? next : parent);
}

void CIconButton::OnMouseMove() {
    if (m_nFlat == 0 || ((GetKeyState(VK_LBUTTON) & 0x8000) != 0 && m_nHover == 0)) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == m_hWnd && m_nHover == 0) {
        m_nHover = 1;
        Redraw();
        m_nTimer = SetTimer(m_hWnd, kHoverTimer, kHoverPeriodMs, &OnHoverTimer);
    }
}

void CALLBACK CIconButton::OnHoverTimer(HWND window, UINT, UINT_PTR, DWORD) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    RECT client{};
    GetClientRect(window, &client);
    if (!PtInRect(&client, cursor)) {
        PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    }
}

void CIconButton::HoverEnd() {
    if (m_nFlat == 0) {
        return;
    }
    if (m_nTimer != 0) {
        KillTimer(m_hWnd, m_nTimer);
        m_nTimer = 0;
    }
    if (m_nHover != 0) {
        m_nHover = 0;
        Redraw();
    }
}

void CIconButton::DrawBackground(HDC dc, RECT* rect) {
    Brush brush(m_crBack);
    FillRect(dc, rect, brush.handle);
}

void CIconButton::DrawBorder(HDC dc, RECT* rect) {
    if (m_nPressed != 0) {
        Draw3dRect(dc, *rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    } else if (m_nFlat == 0 || m_nHover != 0) {
        Draw3dRect(dc, *rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
}

const CIconButton::Slot* CIconButton::ChooseIcon() const {
    const Slot& first = m_slots[0];
    if (m_nDisabled != 0) {
        return m_slots[2].icon ? &m_slots[2] : &first;
    }
    if (m_nPressed != 0 || m_nHover != 0) {
        return &first;
    }
    return m_slots[1].icon ? &m_slots[1] : &first;
}

void CIconButton::DrawCaption(HDC dc, RECT area, const wchar_t* caption, int length) {
    if (m_nPressed != 0) {
        OffsetRect(&area, 1, 1);
    }
    RECT measured = area;
    DrawTextW(dc, caption, length, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    RECT text{area.left + (area.right - area.left - width) / 2,
              area.top + (area.bottom - area.top - height) / 2, 0, 0};
    text.right = text.left + width;
    text.bottom = text.top + height;
    const UINT format = DT_WORDBREAK | DT_CENTER;
    if (m_nDisabled != 0) {
        RECT embossed = text;
        OffsetRect(&embossed, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, caption, length, &embossed, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, caption, length, &text, format);
    } else {
        SetTextColor(dc, m_crText);
        DrawTextW(dc, caption, length, &text, format);
    }
}

void CIconButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT itemRect = item.rcItem;
    m_nPressed = (item.itemState & ODS_SELECTED) != 0 ? 1 : 0;
    m_nFocused = (item.itemState & ODS_FOCUS) != 0 ? 1 : 0;
    m_nDisabled = (item.itemState & ODS_DISABLED) != 0 ? 1 : 0;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);

    RECT rect = itemRect;
    if (m_nFlat == 0 && (m_nFocused != 0 || m_nDefault != 0)) {
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&rect, -1, -1);
    }
    DrawBackground(dc, &rect);
    DrawBorder(dc, &rect);

    wchar_t caption[kCaptionMax + 1] = {};
    const int length = m_hWnd != nullptr ? GetWindowTextW(m_hWnd, caption, kCaptionMax + 1) : 0;
    RECT captionArea = itemRect;

    const int itemWidth = itemRect.right - itemRect.left;
    const int itemHeight = itemRect.bottom - itemRect.top;
    if (m_slots[0].icon) {
        const Slot* slot = ChooseIcon();
        int x = 0;
        if (length > 0) {
            x = itemRect.left + kIconInset;
            captionArea.left += slot->width + kIconInset;
        } else {
            x = itemRect.left + (itemWidth - slot->width) / 2;
        }
        int y = itemRect.top + (itemHeight - slot->height) / 2;
        if (m_nPressed != 0) {
            ++x;
            ++y;
        }
        DrawIcon(dc, x, y, slot->icon.get());
    }
    if (length > 0) {
        DrawCaption(dc, captionArea, caption, length);
    }
    if (m_nFocused != 0 && m_nFlat == 0) {
        RECT focus = rect;
        InflateRect(&focus, -kFocusInset, -kFocusInset);
        DrawFocusRect(dc, &focus);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace tarvek::controls
