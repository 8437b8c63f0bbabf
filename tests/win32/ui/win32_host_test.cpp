// The dialog procedure's dispatch, modal results, message boxes, child dialogs, the system menu
// and the data exchange, on the Information dialog's and the main dialog's templates.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "ui/data_exchange.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/probe_logic.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::win32test {
namespace {

using ui::win32::RunModalDialog;
using ui::win32::Win32DialogHost;

TEST(Win32HostRun, InitialisesTheRealWindowAndEndsWithOk) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    logic.init = [](ui::DialogHost& host) {
        host.SetTitle("Power Save Mode Setting Information");
        host.SetText(IDC_INFO_TEXT, "The printer goes into power save mode after 30 minute.");
    };
    bool shown = false;
    const int result = RunModalDialog(logic, nullptr, [&](HWND dialog) {
        shown = true;
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(TextOf(dialog), "Power Save Mode Setting Information");
        EXPECT_EQ(ItemText(dialog, IDC_INFO_TEXT),
                  "The printer goes into power save mode after 30 minute.");
        EXPECT_EQ(ItemText(dialog, IDOK), "OK");
        EXPECT_TRUE(logic.HasHost());
        EXPECT_EQ(Win32DialogHost::FromWindow(dialog), &logic.Host());
        EXPECT_TRUE(SaveWindowImage(dialog, OutputPath("win32_ui_info_dialog.bmp")));
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(logic.HasHost());
}

TEST(Win32HostRun, KoreanTextsReachTheWindowAsUnicode) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    logic.init = [](ui::DialogHost& host) {
        host.SetTitle("코드 페이지 설정 정보");
        host.SetText(IDOK, "확인");
    };
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "코드 페이지 설정 정보");
        EXPECT_EQ(ItemText(dialog, IDOK), "확인");
        EXPECT_EQ(logic.Host().GetText(IDOK), "확인");
        EXPECT_EQ(logic.Host().GetTitle(), "코드 페이지 설정 정보");
        Click(dialog, IDOK);
    });
}

TEST(Win32HostRun, EscapeCancelsAndEnterConfirms) {
    ProbeLogic escape(IDD_INFO_DIALOG);
    EXPECT_EQ(RunModalDialog(escape, nullptr, [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }),
              IDCANCEL);
    ProbeLogic enter(IDD_INFO_DIALOG);
    EXPECT_EQ(RunModalDialog(enter, nullptr, [](HWND dialog) { PressKey(dialog, VK_RETURN); }),
              IDOK);
}

TEST(Win32HostRun, CloseRequestGoesToOnClose) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    const int result =
        RunModalDialog(logic, nullptr, [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(logic.closes, 1);
    EXPECT_EQ(result, IDCANCEL);
}

TEST(Win32HostRun, DisabledOkButtonDoesNotEndTheDialog) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    logic.init = [](ui::DialogHost& host) { host.EnableControl(IDOK, false); };
    const int result = RunModalDialog(logic, nullptr, [&](HWND dialog) {
        EXPECT_FALSE(IsItemEnabled(dialog, IDOK));
        EXPECT_FALSE(logic.Host().IsControlEnabled(IDOK));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(dialog, IDOK)));
        EXPECT_TRUE(IsWindow(dialog));
        logic.Host().EndDialog(7);
    });
    EXPECT_EQ(result, 7);
}

TEST(Win32HostRun, CommandsReachOnCommandWithTheirNotification) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    logic.init = [](ui::DialogHost& host) {
        host.AddListItem(IDC_PORT, "COM1");
        host.AddListItem(IDC_PORT, "USB");
        host.EnableControl(IDC_CLOSE_PORT, false);
    };
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        Click(dialog, IDC_OPEN_PORT);
        Click(dialog, IDC_CLOSE_PORT);  // disabled: no command
        SelectByUser(dialog, IDC_PORT, 1);
        TypeInto(dialog, IDC_PIN_CODE, "1234");
        Click(dialog, IDC_DISCOVERABLE_ON);
        PressKey(dialog, VK_ESCAPE);
    });
    const auto has = [&](int id, int code) {
        for (const auto& command : logic.commands) {
            if (command == std::make_pair(id, code)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has(IDC_OPEN_PORT, ui::kNotifyClicked));
    EXPECT_FALSE(has(IDC_CLOSE_PORT, ui::kNotifyClicked));
    EXPECT_TRUE(has(IDC_PORT, ui::kNotifySelChange));
    EXPECT_TRUE(has(IDC_PIN_CODE, ui::kNotifyEditChange));
    EXPECT_TRUE(has(IDC_DISCOVERABLE_ON, ui::kNotifyClicked));
}

TEST(Win32HostMessages, MessageBoxShowsTextAndCaptionAndAnswers) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    std::string text, caption, defaultCaption;
    int answer = 0;
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        {
            ModalWatcher watcher([&](HWND box) {
                text = MessageBoxText(box);
                caption = TextOf(box);
                EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
                Press(box, IDOK);
            });
            answer = logic.Host().ShowMessage("프린터 응답이 없습니다. !!!", "에러",
                                              ui::kMbOk | ui::kMbIconError);
        }
        {
            ModalWatcher watcher([&](HWND box) {
                defaultCaption = TextOf(box);
                Press(box, IDOK);
            });
            logic.Host().ShowMessage("no caption", "", ui::kMbOk);
        }
        Click(dialog, IDOK);
    });
    EXPECT_EQ(text, "프린터 응답이 없습니다. !!!");
    EXPECT_EQ(caption, "에러");
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(defaultCaption, "win32_ui_tests");
}

TEST(Win32HostMessages, ChildDialogRunsModallyOverTheParent) {
    ProbeLogic parent(IDD_TARVEK_DIALOG);
    ProbeLogic child(IDD_INFO_DIALOG);
    child.init = [](ui::DialogHost& host) { host.SetText(IDC_INFO_TEXT, "child"); };
    int childResult = 0;
    bool parentDisabled = false;
    std::string childText;
    RunModalDialog(parent, nullptr, [&](HWND dialog) {
        {
            ModalWatcher watcher([&](HWND window) {
                parentDisabled = !IsWindowEnabled(dialog);
                childText = ItemText(window, IDC_INFO_TEXT);
                Click(window, IDOK);
            });
            childResult = parent.Host().RunModal(child);
        }
        EXPECT_TRUE(IsWindowEnabled(dialog));
        EXPECT_TRUE(parent.HasHost());
        PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_TRUE(parentDisabled);
    EXPECT_EQ(childText, "child");
    EXPECT_EQ(childResult, IDOK);
    EXPECT_FALSE(child.HasHost());
}

TEST(Win32HostMessages, SystemMenuItemAndItsCommand) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    logic.handledSysCommand = IDM_ABOUTBOX;
    logic.init = [](ui::DialogHost& host) {
        host.AppendSystemMenuItem(IDM_ABOUTBOX, host.LoadResourceString(IDS_ABOUTBOX));
    };
    std::wstring itemText;
    UINT separatorType = 0;
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        const HMENU menu = GetSystemMenu(dialog, FALSE);
        const int count = GetMenuItemCount(menu);
        EXPECT_GE(count, 2);
        wchar_t buffer[64] = {};
        GetMenuStringW(menu, IDM_ABOUTBOX, buffer, 64, MF_BYCOMMAND);
        itemText = buffer;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &info);
        separatorType = info.fType;
        SendMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(itemText, L"&About Tarvek...");
    EXPECT_TRUE(separatorType & MFT_SEPARATOR);
    ASSERT_FALSE(logic.sysCommands.empty());
    EXPECT_EQ(logic.sysCommands.front(), static_cast<unsigned>(IDM_ABOUTBOX));
}

TEST(Win32HostMessages, EmptyMenuTextAddsNothing) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    int before = -1, after = -2;
    logic.init = [&](ui::DialogHost& host) {
        before =
            GetMenuItemCount(GetSystemMenu(static_cast<Win32DialogHost&>(host).Window(), FALSE));
        host.AppendSystemMenuItem(IDM_ABOUTBOX, "");
        after =
            GetMenuItemCount(GetSystemMenu(static_cast<Win32DialogHost&>(host).Window(), FALSE));
    };
    RunModalDialog(logic, nullptr, [](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
    EXPECT_EQ(before, after);
}

TEST(Win32HostMessages, StringResources) {
    ProbeLogic logic(IDD_INFO_DIALOG);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        EXPECT_EQ(logic.Host().LoadResourceString(IDS_ABOUTBOX), "&About Tarvek...");
        EXPECT_EQ(logic.Host().LoadResourceString(IDP_OLE_INIT_FAILED),
                  "OLE initialization failed.  Make sure that the OLE libraries are the correct "
                  "version.");
        EXPECT_EQ(logic.Host().LoadResourceString(4711), "");
        Click(dialog, IDOK);
    });
}

TEST(Win32HostDataExchange, LimitTowardsTheEditAndRefusalFromIt) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    std::string pin = "1234";
    logic.exchange = [&](ui::DataExchange& dx) {
        ui::DdxText(dx, IDC_PIN_CODE, pin);
        ui::DdvMaxChars(dx, IDC_PIN_CODE, pin, 10);
    };
    std::string refusal;
    bool stayedOpen = false;
    const int result = RunModalDialog(logic, nullptr, [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_PIN_CODE), "1234");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PIN_CODE, EM_GETLIMITTEXT, 0, 0), 10);
        TypeInto(dialog, IDC_PIN_CODE, "123456789012");
        EXPECT_EQ(ItemText(dialog, IDC_PIN_CODE), "1234567890");
        // A handler showed a longer text: OK refuses it and the dialog stays.
        SetDlgItemTextW(dialog, IDC_PIN_CODE, L"12345678901");
        {
            ModalWatcher watcher([&](HWND box) {
                refusal = MessageBoxText(box);
                Press(box, IDOK);
            });
            Click(dialog, IDOK);
        }
        stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        SetDlgItemTextW(dialog, IDC_PIN_CODE, L"0000");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(refusal, "Please enter no more than 10 characters.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(pin, "0000");
}

TEST(Win32HostWindow, HideAndShow) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        logic.Host().ShowWindow(false);
        EXPECT_FALSE(IsWindowVisible(dialog));
        logic.Host().ShowWindow(true);
        EXPECT_TRUE(IsWindowVisible(dialog));
        PressKey(dialog, VK_ESCAPE);
    });
}

TEST(Win32HostWindow, DialogIconAndDragIcon) {
    if (FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                      MAKEINTRESOURCEW(14)) == nullptr) {  // RT_GROUP_ICON
        GTEST_SKIP() << "icon 128 is not drawn yet";
    }
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    logic.init = [](ui::DialogHost& host) { host.SetDialogIcon(IDR_MAINFRAME); };
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        const LRESULT big = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0);
        EXPECT_NE(big, 0);
        EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        EXPECT_EQ(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0), big);
        PressKey(dialog, VK_ESCAPE);
    });
}

}  // namespace
}  // namespace tarvek::win32test
