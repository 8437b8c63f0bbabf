// The system menu's "&About Tarvek..." on the real main dialog opens the About box, whose OK
// closes only the About box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/main_dialog.h"
#include "app/process_objects.h"
#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::app {
namespace {

using namespace tarvek::win32test;

TEST(AboutBox, OpensFromTheSystemMenuAndClosesAlone) {
    ProcessObjects objects;
    DialogServices services = objects.Services();
    MainDialog mainDialog(services);
    std::wstring menuText;
    std::string title, version;
    bool mainDisabledMeanwhile = false, mainStillOpen = false;
    const int result = ui::win32::RunModalDialog(mainDialog, nullptr, [&](HWND dialog) {
        wchar_t buffer[64] = {};
        GetMenuStringW(GetSystemMenu(dialog, FALSE), IDM_ABOUTBOX, buffer, 64, MF_BYCOMMAND);
        menuText = buffer;
        {
            ModalWatcher watcher([&](HWND about) {
                title = TextOf(about);
                version = ItemText(about, IDC_ABOUT_VERSION);
                mainDisabledMeanwhile = !IsWindowEnabled(dialog);
                EXPECT_TRUE(SaveWindowImage(about, OutputPath("win32_app_about_box.bmp")));
                Click(about, IDOK);
            });
            SendMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        }
        mainStillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(menuText, L"&About Tarvek...");
    EXPECT_EQ(title, "About Tarvek");
    EXPECT_EQ(version, "Tarvek Version 1.0");
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(mainStillOpen);
    EXPECT_EQ(result, IDOK);
}

TEST(AboutBox, MainDialogCarriesTheApplicationIcon) {
    if (FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                      MAKEINTRESOURCEW(14)) == nullptr) {  // RT_GROUP_ICON
        GTEST_SKIP() << "icon 128 is not drawn yet";
    }
    ProcessObjects objects;
    DialogServices services = objects.Services();
    MainDialog mainDialog(services);
    ui::win32::RunModalDialog(mainDialog, nullptr, [&](HWND dialog) {
        EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
        Click(dialog, IDOK);
    });
}

}  // namespace
}  // namespace tarvek::app
