#include "win32/ui/support/dialog_driver.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "ui/win32/text_convert.h"

namespace tarvek::win32test {
namespace {

ModalWatcher* g_pWatcher = nullptr;  // the one active watcher of the test thread

// The static control of a message box that holds its text.
constexpr int kMessageBoxTextId = 0xFFFF;

struct DcReleaser {
    HWND window;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

bool IsDialogWindow(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770";
}

// Reads a template's "sz_Or_Ord" field: 0 (none), 0xFFFF + ordinal, or a zero-ended string.
const WORD* ReadNameOrOrdinal(const WORD* at, std::wstring& name, WORD& ordinal) {
    name.clear();
    ordinal = 0;
    if (*at == 0xFFFF) {
        ordinal = at[1];
        return at + 2;
    }
    while (*at != 0) {
        name.push_back(static_cast<wchar_t>(*at++));
    }
    return at + 1;
}

const WORD* AlignToDword(const WORD* at, const BYTE* base) {
    const size_t offset = static_cast<size_t>(reinterpret_cast<const BYTE*>(at) - base);
    return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~size_t{3}));
}

std::wstring PredefinedClass(WORD atom) {
    switch (atom) {
        case 0x0080:
            return L"Button";
        case 0x0081:
            return L"Edit";
        case 0x0082:
            return L"Static";
        case 0x0083:
            return L"ListBox";
        case 0x0084:
            return L"ScrollBar";
        case 0x0085:
            return L"ComboBox";
        default:
            return std::wstring();
    }
}

}  // namespace

std::vector<TemplateItem> ReadTemplateItems(int templateId) {
    std::vector<TemplateItem> items;
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const BYTE* base = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (base == nullptr) {
        return items;
    }
    // The plain DLGTEMPLATE form (the resource compiler's DIALOG statement).
    const auto* header = reinterpret_cast<const DLGTEMPLATE*>(base);
    const WORD* at = reinterpret_cast<const WORD*>(base + 18);
    std::wstring name;
    WORD ordinal = 0;
    at = ReadNameOrOrdinal(at, name, ordinal);  // menu
    at = ReadNameOrOrdinal(at, name, ordinal);  // class
    at = ReadNameOrOrdinal(at, name, ordinal);  // title
    if (header->style & DS_SETFONT) {
        ++at;  // point size
        at = ReadNameOrOrdinal(at, name, ordinal);
    }
    for (WORD i = 0; i < header->cdit; ++i) {
        at = AlignToDword(at, base);
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        TemplateItem entry{static_cast<short>(item->id),
                           item->style,
                           item->x,
                           item->y,
                           item->cx,
                           item->cy,
                           std::wstring(),
                           std::string()};
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + 18);
        at = ReadNameOrOrdinal(at, name, ordinal);
        entry.className = ordinal != 0 ? PredefinedClass(ordinal) : name;
        at = ReadNameOrOrdinal(at, name, ordinal);
        entry.title = ui::win32::WideToUtf8(name);
        const WORD extra = *at++;
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
        items.push_back(entry);
    }
    return items;
}

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::string TextOf(HWND window) {
    if (window == nullptr) {
        return std::string();
    }
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return ui::win32::WideToUtf8(text);
}

std::string ItemText(HWND dialog, int id) {
    return TextOf(Item(dialog, id));
}

bool IsItemEnabled(HWND dialog, int id) {
    const HWND item = Item(dialog, id);
    return item != nullptr && IsWindowEnabled(item);
}

bool IsItemChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int ComboSelection(HWND dialog, int id) {
    const LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, i, 0);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
        items.push_back(ui::win32::WideToUtf8(text));
    }
    return items;
}

LONG_PTR ItemStyle(HWND dialog, int id) {
    return GetWindowLongPtrW(Item(dialog, id), GWL_STYLE);
}

RECT ItemRectInDialogUnits(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(Item(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    // One dialog unit in pixels, from a 400 x 800 unit probe (keeps rounding small).
    RECT unit{0, 0, 400, 800};
    MapDialogRect(dialog, &unit);
    const auto toUnitsX = [&](LONG px) {
        return static_cast<LONG>((px * 400.0) / unit.right + 0.5);
    };
    const auto toUnitsY = [&](LONG px) {
        return static_cast<LONG>((px * 800.0) / unit.bottom + 0.5);
    };
    return RECT{toUnitsX(rect.left), toUnitsY(rect.top), toUnitsX(rect.right - rect.left),
                toUnitsY(rect.bottom - rect.top)};
}

void Click(HWND dialog, int id) {
    const HWND item = Item(dialog, id);
    if (item == nullptr || !IsWindowEnabled(item)) {
        return;
    }
    SendMessageW(item, BM_CLICK, 0, 0);
}

void SelectByUser(HWND dialog, int id, int index) {
    const HWND item = Item(dialog, id);
    if (item == nullptr || !IsWindowEnabled(item)) {
        return;
    }
    SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item));
}

void TypeInto(HWND dialog, int id, const std::string& utf8) {
    const HWND item = Item(dialog, id);
    if (item == nullptr || !IsWindowEnabled(item)) {
        return;
    }
    const std::wstring text = ui::win32::Utf8ToWide(utf8);
    SendMessageW(item, EM_SETSEL, 0, -1);
    SendMessageW(item, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressKey(HWND dialog, UINT virtualKey) {
    // The key goes to the dialog's focused control. When the focus is outside the dialog (the
    // window manager's activation is not the test's to rely on), to the dialog itself: its
    // dialog manager takes Escape and Enter from there too.
    HWND target = GetFocus();
    if (target == nullptr || (target != dialog && !IsChild(dialog, target))) {
        target = dialog;
    }
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Each message through the dialog manager of the window it is for, active or not.
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root == nullptr || !IsDialogMessageW(root, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

ModalWatcher::ModalWatcher(Answer answer) : m_answer(std::move(answer)) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalWatcher::OnWindow,
                      reinterpret_cast<LPARAM>(&m_known));
    g_pWatcher = this;
    m_timer = SetTimer(nullptr, 0, 20, &ModalWatcher::OnTimer);
}

ModalWatcher::~ModalWatcher() {
    KillTimer(nullptr, m_timer);
    g_pWatcher = nullptr;
}

BOOL CALLBACK ModalWatcher::OnWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

void CALLBACK ModalWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalWatcher* self = g_pWatcher;
    if (self == nullptr) {
        return;
    }
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &ModalWatcher::OnWindow,
                      reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        const auto known = [window](const std::vector<HWND>& list) {
            return std::find(list.begin(), list.end(), window) != list.end();
        };
        if (known(self->m_known) || known(self->m_answered) || !IsWindowVisible(window) ||
            !IsDialogWindow(window)) {
            continue;
        }
        self->m_answered.push_back(window);
        self->m_answer(window);
    }
}

std::string MessageBoxText(HWND box) {
    return ItemText(box, kMessageBoxTextId);
}

void Press(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

bool SaveWindowImage(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    // The screen's pixels (what a person would see), not a private repaint.
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr), DcReleaser{nullptr});
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return false;
    }
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    SelectObject(memory.get(), previous);
    GdiFlush();

    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!out) {
        return false;
    }
    return std::fwrite(&file, sizeof(file), 1, out.get()) == 1 &&
           std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out.get()) == 1 &&
           std::fwrite(bits, 1, imageBytes, out.get()) == imageBytes;
}

std::string OutputPath(const std::string& fileName) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.erase(slash == std::wstring::npos ? 0 : slash + 1);
    return ui::win32::WideToUtf8(folder) + fileName;
}

}  // namespace tarvek::win32test
