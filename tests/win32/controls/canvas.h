// Pixels for the control tests: a memory bitmap to paint into and read back, a plain dialog
// window to put controls on, and a search for one icon's image.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvek::win32test {

// A 32-bit top-down bitmap selected into a memory DC.
class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    // The smallest rectangle holding every pixel (inside `within`) that matches; empty when none.
    RECT Bounds(const std::function<bool(COLORREF)>& match, RECT within) const;
    RECT Bounds(COLORREF colour, RECT within) const;
    int Count(COLORREF colour, RECT within) const;
    // Whether the pixels at (x, y) equal those of another canvas.
    bool Holds(const Canvas& patch, int x, int y) const;
    // Where the patch is found (the first place, row by row); {-1, -1} when nowhere.
    POINT Find(const Canvas& patch) const;
    // Writes the pixels as a 32-bit BMP file; false when it could not.
    bool SaveBmp(const std::string& path) const;

  private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    const DWORD* m_bits = nullptr;
};

// An icon resource of the program drawn at its own size on the button face colour.
std::vector<int> IconIds();
void DrawIconOn(Canvas& canvas, int iconId, COLORREF back);

// A visible dialog made from a blank template (the dialog manager, default button handling) to
// put controls on; destroyed with its controls.
class TestDialog {
  public:
    TestDialog(int width, int height);
    ~TestDialog();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;

    HWND Window() const { return m_hWnd; }
    HWND AddButton(int id, const wchar_t* caption, DWORD type, RECT at);
    HWND AddGroupBox(int id, const wchar_t* caption, RECT at);
    int Clicks(int id) const;

  private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd = nullptr;
    std::vector<int> m_clicks;
};

void PumpMessages();

}  // namespace tarvek::win32test
