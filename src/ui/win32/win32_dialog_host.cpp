#include "ui/win32/win32_dialog_host.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/text_convert.h"

namespace tarvek::ui::win32 {
namespace {

// The timer that calls WhileShown once the modal loop has shown the window.
constexpr UINT_PTR kShownTimer = 0x7A5E;
constexpr int kShownTicksMax = 100;

HINSTANCE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

std::wstring WindowTextWide(HWND window) {
    if (window == nullptr) {
        return std::wstring();
    }
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// Centres a dialog over its owner, or on the screen's work area when it has none, kept inside
// the work area (the templates place every dialog at 0, 0).
void CenterDialog(HWND dialog) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT area = work;
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    }
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::wstring ProgramTitle() {
    std::vector<wchar_t> path(MAX_PATH);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring name(path.data(), length);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        name.erase(0, slash + 1);
    }
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

void InitDialogControlClasses() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_INTERNET_CLASSES;
    InitCommonControlsEx(&classes);
}

int RunModalDialog(DialogLogic& logic, HWND owner, const WhileShown& whileShown,
                   DressingFactory dressing) {
    InitDialogControlClasses();
    Win32DialogHost host(logic, whileShown, dressing);
    const INT_PTR result =
        DialogBoxParamW(ProgramModule(), MAKEINTRESOURCEW(logic.TemplateId()), owner,
                        &Win32DialogHost::DialogProc, reinterpret_cast<LPARAM>(&host));
    logic.AttachHost(nullptr);
    return static_cast<int>(result);
}

void Win32DialogHost::IconDeleter::operator()(HICON icon) const {
    DestroyIcon(icon);
}

Win32DialogHost::Win32DialogHost(DialogLogic& logic, const WhileShown& whileShown,
                                 DressingFactory dressing)
    : m_logic(logic), m_whileShown(whileShown), m_makeDressing(dressing) {}

Win32DialogHost::~Win32DialogHost() = default;

Win32DialogHost* Win32DialogHost::FromWindow(HWND dialog) {
    if (dialog == nullptr || GetWindowLongPtrW(dialog, DWLP_DLGPROC) == 0) {
        return nullptr;
    }
    // Only windows whose procedure is ours carry a host pointer.
    if (reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC)) != &DialogProc) {
        return nullptr;
    }
    return reinterpret_cast<Win32DialogHost*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    Win32DialogHost* host = nullptr;
    if (message == WM_INITDIALOG) {
        host = reinterpret_cast<Win32DialogHost*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        host->m_hWnd = dialog;
    } else {
        host = reinterpret_cast<Win32DialogHost*>(GetWindowLongPtrW(dialog, DWLP_USER));
    }
    if (host == nullptr) {
        return FALSE;
    }
    try {
        return host->Dispatch(message, wParam, lParam);
    } catch (...) {
        // A handler that failed leaves the dialog as it was; nothing crosses into user32.
        return FALSE;
    }
}

INT_PTR Win32DialogHost::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(m_hWnd);
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CLOSE:
            m_logic.OnClose();
            return TRUE;
        case WM_SYSCOMMAND:
            // The low four bits belong to the system.
            if (m_logic.OnSysCommand(static_cast<unsigned>(wParam & 0xFFF0))) {
                SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_PAINT:
            return PaintMinimised() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            // One of the messages whose result a dialog procedure returns directly.
            return reinterpret_cast<INT_PTR>(m_hBigIcon.get());
        case WM_TIMER:
            if (wParam == kShownTimer) {
                // The modal loop shows the window once its queue has run empty; a timer can
                // come first, so wait for the window (a logic may also keep it hidden).
                if (!IsWindowVisible(m_hWnd) && ++m_nShownTicks < kShownTicksMax) {
                    return TRUE;
                }
                KillTimer(m_hWnd, kShownTimer);
                if (m_whileShown) {
                    const WhileShown whileShown = m_whileShown;
                    whileShown(m_hWnd);
                }
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            // The drawn controls let go of their windows while those still exist.
            m_pDressing.reset();
            m_logic.AttachHost(nullptr);
            return FALSE;
        default:
            return FALSE;
    }
}

BOOL Win32DialogHost::OnInitDialog(HWND dialog) {
    CenterDialog(dialog);
    if (m_makeDressing != nullptr) {
        m_pDressing = m_makeDressing(dialog);
    }
    m_logic.AttachHost(this);
    m_logic.UpdateData(false);
    const bool defaultFocus = m_logic.OnInitDialog();
    if (m_whileShown) {
        SetTimer(dialog, kShownTimer, 10, nullptr);
    }
    return defaultFocus ? TRUE : FALSE;
}

void Win32DialogHost::OnCommand(int id, int code, HWND control) {
    // Enter and Escape arrive as IDOK and IDCANCEL also without a button; a disabled button's
    // command (Enter while Exit is disabled) is not the user's choice and is dropped.
    if (control != nullptr && !IsWindowEnabled(control)) {
        return;
    }
    if (id == IDOK && code == BN_CLICKED) {
        const HWND ok = Control(IDOK);
        if (ok != nullptr && !IsWindowEnabled(ok)) {
            return;
        }
        m_logic.OnOK();
    } else if (id == IDCANCEL && code == BN_CLICKED) {
        m_logic.OnCancel();
    } else {
        m_logic.OnCommand(id, code);
    }
}

bool Win32DialogHost::PaintMinimised() {
    if (!IsIconic(m_hWnd) || !m_hBigIcon) {
        return false;
    }
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hBigIcon.get());
    EndPaint(m_hWnd, &paint);
    return true;
}

HWND Win32DialogHost::Control(int id) const {
    return m_hWnd == nullptr ? nullptr : GetDlgItem(m_hWnd, id);
}

LRESULT Win32DialogHost::SendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    const HWND control = Control(id);
    return control == nullptr ? 0 : SendMessageW(control, message, wParam, lParam);
}

void Win32DialogHost::EnableControl(int id, bool enabled) {
    const HWND control = Control(id);
    if (control != nullptr) {
        EnableWindow(control, enabled ? TRUE : FALSE);
    }
}

bool Win32DialogHost::IsControlEnabled(int id) const {
    const HWND control = Control(id);
    return control != nullptr && IsWindowEnabled(control) != FALSE;
}

void Win32DialogHost::SetText(int id, const std::string& utf8) {
    const HWND control = Control(id);
    if (control != nullptr) {
        SetWindowTextW(control, Utf8ToWide(utf8).c_str());
    }
}

std::string Win32DialogHost::GetText(int id) const {
    return WideToUtf8(WindowTextWide(Control(id)));
}

void Win32DialogHost::SetTitle(const std::string& utf8) {
    SetWindowTextW(m_hWnd, Utf8ToWide(utf8).c_str());
}

std::string Win32DialogHost::GetTitle() const {
    return WideToUtf8(WindowTextWide(m_hWnd));
}

void Win32DialogHost::SetAnsiText(int id, const std::string& bytes) {
    const HWND control = Control(id);
    if (control != nullptr) {
        SetWindowTextA(control, bytes.c_str());
    }
}

std::string Win32DialogHost::GetAnsiText(int id) const {
    const HWND control = Control(id);
    if (control == nullptr) {
        return std::string();
    }
    // The length in ANSI bytes can exceed the UTF-16 length (double-byte code pages).
    const int capacity = 2 * GetWindowTextLengthA(control) + 2;
    std::string text(static_cast<size_t>(capacity), '\0');
    const int copied = GetWindowTextA(control, text.data(), capacity);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Win32DialogHost::SetTextLimit(int id, int maxChars) {
    SendTo(id, EM_LIMITTEXT, static_cast<WPARAM>(maxChars > 0 ? maxChars : 0), 0);
}

void Win32DialogHost::ResetList(int id) {
    SendTo(id, CB_RESETCONTENT, 0, 0);
}

void Win32DialogHost::AddListItem(int id, const std::string& utf8) {
    const std::wstring text = Utf8ToWide(utf8);
    SendTo(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DialogHost::SelectListItem(int id, int index) {
    SendTo(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32DialogHost::GetListSelection(int id) const {
    if (Control(id) == nullptr) {
        return -1;
    }
    const LRESULT index = SendTo(id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

int Win32DialogHost::GetListCount(int id) const {
    const LRESULT count = SendTo(id, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::string Win32DialogHost::GetListItemText(int id, int index) const {
    if (Control(id) == nullptr) {
        return std::string();
    }
    const LRESULT length = SendTo(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0) {
        return std::string();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendTo(id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return WideToUtf8(text);
}

void Win32DialogHost::CheckRadioButton(int firstId, int lastId, int checkId) {
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

bool Win32DialogHost::IsChecked(int id) const {
    return Control(id) != nullptr && IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void Win32DialogHost::SetIpAddress(int id, std::uint32_t packed) {
    SendTo(id, IPM_SETADDRESS, 0, static_cast<LPARAM>(packed));
}

std::uint32_t Win32DialogHost::GetIpAddress(int id) const {
    DWORD packed = 0;
    SendTo(id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
    return packed;
}

void Win32DialogHost::SetProgressRange(int id, int low, int high) {
    SendTo(id, PBM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void Win32DialogHost::SetProgressStep(int id, int step) {
    SendTo(id, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void Win32DialogHost::SetProgressPos(int id, int position) {
    SendTo(id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32DialogHost::ShowMessage(const std::string& textUtf8, const std::string& captionUtf8,
                                 unsigned flags) {
    const std::wstring caption = captionUtf8.empty() ? ProgramTitle() : Utf8ToWide(captionUtf8);
    return MessageBoxW(m_hWnd, Utf8ToWide(textUtf8).c_str(), caption.c_str(), flags);
}

int Win32DialogHost::RunModal(DialogLogic& child) {
    return RunModalDialog(child, m_hWnd, nullptr, m_makeDressing);
}

void Win32DialogHost::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

void Win32DialogHost::ShowWindow(bool visible) {
    ::ShowWindow(m_hWnd, visible ? SW_SHOW : SW_HIDE);
}

int Win32DialogHost::AnsiCodePage() const {
    return static_cast<int>(GetACP());
}

std::string Win32DialogHost::LoadResourceString(int id) const {
    // With a zero buffer size LoadStringW hands out the resource's own read-only text.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(ProgramModule(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return std::string();
    }
    return WideToUtf8(std::wstring(text, static_cast<size_t>(length)));
}

void Win32DialogHost::AppendSystemMenuItem(int commandId, const std::string& utf8) {
    const HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr || utf8.empty()) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(commandId), Utf8ToWide(utf8).c_str());
}

void Win32DialogHost::SetDialogIcon(int iconId) {
    const auto load = [iconId](int widthMetric, int heightMetric) {
        return IconHandle(static_cast<HICON>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(iconId),
                                                        IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                        GetSystemMetrics(heightMetric), 0)));
    };
    IconHandle big = load(SM_CXICON, SM_CYICON);
    IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The window now shows the new icons; the old ones can go.
    m_hBigIcon = std::move(big);
    m_hSmallIcon = std::move(small);
}

void Win32DialogHost::DressButton(int id, int iconId) {
    if (m_pDressing) {
        m_pDressing->DressButton(id, iconId);
    }
}

void Win32DialogHost::DressGroupBox(int id, std::uint32_t captionColor, bool bold,
                                    CaptionAlign align) {
    if (m_pDressing) {
        m_pDressing->DressGroupBox(id, captionColor, bold, align);
    }
}

}  // namespace tarvek::ui::win32
