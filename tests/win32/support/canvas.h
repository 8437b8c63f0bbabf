// A bitmap to paint controls into and read their pixels back.
#pragma once

#include <windows.h>

#include <algorithm>

namespace tarvek::win32test {

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 0, 255)) : m_w(width), m_h(height) {
        const HDC screen = GetDC(nullptr);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        const HBRUSH brush = CreateSolidBrush(fill);
        const RECT all{0, 0, width, height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    // The smallest rectangle holding every pixel of the colour; empty when there is none.
    RECT Bounds(COLORREF colour) const {
        RECT box{m_w, m_h, 0, 0};
        for (LONG i = 0; i < m_w * m_h; ++i) {
            if (At(i % m_w, i / m_w) == colour) {
                box = {std::min(box.left, i % m_w), std::min(box.top, i / m_w),
                       std::max(box.right, i % m_w + 1), std::max(box.bottom, i / m_w + 1)};
            }
        }
        return box.left < box.right ? box : RECT{};
    }
    // Where another canvas's pixels are found, row by row; x = -1 when nowhere.
    POINT Find(const Canvas& patch) const {
        for (int i = 0; i < m_w * m_h; ++i) {
            bool same = i % m_w + patch.m_w <= m_w && i / m_w + patch.m_h <= m_h;
            for (int j = 0; same && j < patch.m_w * patch.m_h; ++j) {
                same = At(i % m_w + j % patch.m_w, i / m_w + j / patch.m_w) ==
                       patch.At(j % patch.m_w, j / patch.m_w);
            }
            if (same) {
                return {i % m_w, i / m_w};
            }
        }
        return {-1, -1};
    }

  private:
    LONG m_w, m_h;
    HDC m_dc = CreateCompatibleDC(nullptr);
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
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
