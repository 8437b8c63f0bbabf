#include "win32/controls/canvas.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tarvek::win32test {

Canvas::Canvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    const HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    const DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

RECT Canvas::Bounds(const std::function<bool(COLORREF)>& match, RECT within) const {
    RECT box{within.right, within.bottom, within.left, within.top};
    bool any = false;
    for (int y = std::max(0L, within.top); y < std::min<LONG>(m_height, within.bottom); ++y) {
        for (int x = std::max(0L, within.left); x < std::min<LONG>(m_width, within.right); ++x) {
            if (match(At(x, y))) {
                any = true;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return any ? box : RECT{0, 0, 0, 0};
}

RECT Canvas::Bounds(COLORREF colour, RECT within) const {
    return Bounds([colour](COLORREF c) { return c == colour; }, within);
}

int Canvas::Count(COLORREF colour, RECT within) const {
    int n = 0;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            n += At(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

bool Canvas::Holds(const Canvas& patch, int x, int y) const {
    if (x < 0 || y < 0 || x + patch.Width() > m_width || y + patch.Height() > m_height) {
        return false;
    }
    for (int py = 0; py < patch.Height(); ++py) {
        for (int px = 0; px < patch.Width(); ++px) {
            if (At(x + px, y + py) != patch.At(px, py)) {
                return false;
            }
        }
    }
    return true;
}

POINT Canvas::Find(const Canvas& patch) const {
    for (int y = 0; y + patch.Height() <= m_height; ++y) {
        for (int x = 0; x + patch.Width() <= m_width; ++x) {
            if (Holds(patch, x, y)) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

bool Canvas::SaveBmp(const std::string& path) const {
    // 24-bit rows (no alpha byte a viewer could take for transparency), top row first.
    const DWORD rowBytes = (static_cast<DWORD>(m_width) * 3 + 3) & ~3u;
    std::vector<BYTE> image(rowBytes * static_cast<DWORD>(m_height), 0);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const COLORREF c = At(x, y);
            BYTE* p = &image[y * rowBytes + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = m_width;
    info.biHeight = -m_height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(image.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
    return out && std::fwrite(&file, sizeof(file), 1, out.get()) == 1 &&
           std::fwrite(&info, sizeof(info), 1, out.get()) == 1 &&
           std::fwrite(image.data(), 1, image.size(), out.get()) == image.size();
}

std::vector<int> IconIds() {
    return {128, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 141, 142, 143, 145};
}

void DrawIconOn(Canvas& canvas, int iconId, COLORREF back) {
    const HBRUSH brush = CreateSolidBrush(back);
    const RECT all{0, 0, canvas.Width(), canvas.Height()};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    const HICON icon = static_cast<HICON>(LoadImageA(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    DrawIcon(canvas.Dc(), 0, 0, icon);
    DestroyIcon(icon);
}

TestDialog::TestDialog(int width, int height) {
    // A template with no controls: style, no menu, the default class, an empty title. Without a
    // caption the window is Wine's own (no window manager involved), so it comes and goes at once.
    struct alignas(4) Template {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } blank{};
    blank.dialog.style = WS_POPUP | WS_VISIBLE | WS_BORDER;
    m_hWnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &blank.dialog, nullptr, &Proc,
                                        reinterpret_cast<LPARAM>(this));
    SetWindowPos(m_hWnd, nullptr, 50, 50, width, height, SWP_NOZORDER);
    SetForegroundWindow(m_hWnd);
    PumpMessages();
}

TestDialog::~TestDialog() {
    DestroyWindow(m_hWnd);
}

HWND TestDialog::AddButton(int id, const wchar_t* caption, DWORD type, RECT at) {
    const HWND button = CreateWindowExW(
        0, L"Button", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, at.left, at.top,
        at.right - at.left, at.bottom - at.top, m_hWnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return button;
}

HWND TestDialog::AddGroupBox(int id, const wchar_t* caption, RECT at) {
    const HWND box = CreateWindowExW(0, L"Button", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                                     at.left, at.top, at.right - at.left, at.bottom - at.top,
                                     m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return box;
}

int TestDialog::Clicks(int id) const {
    return static_cast<int>(std::count(m_clicks.begin(), m_clicks.end(), id));
}

INT_PTR CALLBACK TestDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TestDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self != nullptr && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        self->m_clicks.push_back(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

}  // namespace tarvek::win32test
