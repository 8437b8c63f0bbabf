// A 32-bit bitmap to paint controls into and read their pixels back.
#pragma once

#include <windows.h>

#include <algorithm>

namespace tarvek::win32test {

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_previous = SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~Canvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    void Fill(COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        const RECT all{0, 0, m_width, m_height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    RECT Bounds(COLORREF colour) const {
        RECT box{m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if (At(x, y) == colour) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box.left < box.right ? box : RECT{};
    }
    // Where another canvas's pixels are found, row by row; {-1, -1} when nowhere.
    POINT Find(const Canvas& patch) const {
        for (int y = 0; y + patch.m_height <= m_height; ++y) {
            for (int x = 0; x + patch.m_width <= m_width; ++x) {
                if (Holds(patch, x, y)) {
                    return {x, y};
                }
            }
        }
        return {-1, -1};
    }

  private:
    bool Holds(const Canvas& patch, int x0, int y0) const {
        for (int y = 0; y < patch.m_height; ++y) {
            for (int x = 0; x < patch.m_width; ++x) {
                if (At(x0 + x, y0 + y) != patch.At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    int m_width, m_height;
    HDC m_dc = CreateCompatibleDC(nullptr);
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    const DWORD* m_bits = nullptr;
};

// An icon resource of the program as DrawIcon paints it on the button face.
struct IconImage : Canvas {
    explicit IconImage(int iconId) : Canvas(32, 32, GetSysColor(COLOR_BTNFACE)) {
        const HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                          IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        DrawIcon(Dc(), 0, 0, icon);
        DestroyIcon(icon);
    }
};

}  // namespace tarvek::win32test
