// The host's control calls, read back through Win32: lists, radio buttons, enabled states, ANSI
// texts, IP address controls and the progress bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/probe_logic.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek::win32test {
namespace {

using ui::win32::RunModalDialog;

TEST(Win32HostControls, ListsKeepTheirOrderAndSelection) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    logic.init = [](ui::DialogHost& host) {
        for (const char* item : {"115200", "57600", "38400", "19200", "9600"}) {
            host.AddListItem(IDC_BAUDRATE, item);
        }
        host.SelectListItem(IDC_BAUDRATE, 3);
    };
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        ui::DialogHost& host = logic.Host();
        EXPECT_EQ(ComboItems(dialog, IDC_BAUDRATE),
                  (std::vector<std::string>{"115200", "57600", "38400", "19200", "9600"}));
        EXPECT_EQ(ComboSelection(dialog, IDC_BAUDRATE), 3);
        EXPECT_EQ(ItemText(dialog, IDC_BAUDRATE), "19200");
        EXPECT_EQ(host.GetListSelection(IDC_BAUDRATE), 3);
        EXPECT_EQ(host.GetListCount(IDC_BAUDRATE), 5);
        EXPECT_EQ(host.GetListItemText(IDC_BAUDRATE, 0), "115200");
        EXPECT_EQ(host.GetListItemText(IDC_BAUDRATE, 5), "");
        host.SelectListItem(IDC_BAUDRATE, -1);
        EXPECT_EQ(host.GetListSelection(IDC_BAUDRATE), -1);
        host.ResetList(IDC_BAUDRATE);
        EXPECT_EQ(host.GetListCount(IDC_BAUDRATE), 0);
        host.AddListItem(IDC_BAUDRATE, "키 ID 1");
        EXPECT_EQ(host.GetListItemText(IDC_BAUDRATE, 0), "키 ID 1");
        // A control the template does not have answers as empty.
        EXPECT_EQ(host.GetListSelection(4711), -1);
        EXPECT_EQ(host.GetListCount(4711), 0);
        EXPECT_FALSE(host.IsControlEnabled(4711));
        PressKey(dialog, VK_ESCAPE);
    });
}

TEST(Win32HostControls, RadioButtonsAndEnabledStates) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        ui::DialogHost& host = logic.Host();
        host.CheckRadioButton(IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF, IDC_DISCOVERABLE_OFF);
        EXPECT_TRUE(IsItemChecked(dialog, IDC_DISCOVERABLE_OFF));
        EXPECT_FALSE(IsItemChecked(dialog, IDC_DISCOVERABLE_ON));
        EXPECT_TRUE(host.IsChecked(IDC_DISCOVERABLE_OFF));
        host.CheckRadioButton(IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF, IDC_DISCOVERABLE_ON);
        EXPECT_TRUE(host.IsChecked(IDC_DISCOVERABLE_ON));
        EXPECT_FALSE(host.IsChecked(IDC_DISCOVERABLE_OFF));

        host.EnableControl(IDC_SAVE_PIN, false);
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_SAVE_PIN));
        host.EnableControl(IDC_SAVE_PIN, true);
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_SAVE_PIN));
        // Disabled in the template.
        EXPECT_FALSE(host.IsControlEnabled(IDC_EMULATION));
        PressKey(dialog, VK_ESCAPE);
    });
}

TEST(Win32HostControls, AnsiTextsAreBytesOfTheCodePage) {
    ProbeLogic logic(IDD_TARVEK_DIALOG);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        ui::DialogHost& host = logic.Host();
        host.SetAnsiText(IDC_BT_ADDRESS, "00:11:22:AA:BB:CC");
        EXPECT_EQ(host.GetAnsiText(IDC_BT_ADDRESS), "00:11:22:AA:BB:CC");
        EXPECT_EQ(ItemText(dialog, IDC_BT_ADDRESS), "00:11:22:AA:BB:CC");
        // Every byte of the code page survives the trip through the window (bytes that are
        // not characters of it are not used by the protocols).
        std::string bytes;
        for (int b = 0x20; b < 0x7F; ++b) {
            bytes.push_back(static_cast<char>(b));
        }
        host.SetAnsiText(IDC_PIN_CODE, bytes);
        EXPECT_EQ(host.GetAnsiText(IDC_PIN_CODE), bytes);
        host.SetAnsiText(IDC_PIN_CODE, "");
        EXPECT_EQ(host.GetAnsiText(IDC_PIN_CODE), "");
        EXPECT_EQ(host.GetAnsiText(4711), "");
        host.SetTextLimit(IDC_POWER_MINUTES, 2);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_POWER_MINUTES, EM_GETLIMITTEXT, 0, 0), 2);
        PressKey(dialog, VK_ESCAPE);
    });
}

TEST(Win32HostControls, IpAddressAndProgressBar) {
    ProbeLogic logic(IDD_WIFI_DIALOG);
    RunModalDialog(logic, nullptr, [&](HWND dialog) {
        ui::DialogHost& host = logic.Host();
        host.SetIpAddress(IDC_WIFI_IP, 0xC0A80A02u);  // 192.168.10.2
        EXPECT_EQ(host.GetIpAddress(IDC_WIFI_IP), 0xC0A80A02u);
        EXPECT_EQ(ItemText(dialog, IDC_WIFI_IP), "192.168.10.2");
        host.SetIpAddress(IDC_WIFI_NETMASK, 0xFFFFFF00u);
        EXPECT_EQ(host.GetIpAddress(IDC_WIFI_NETMASK), 0xFFFFFF00u);

        host.SetProgressRange(IDC_WIFI_PROGRESS, 0, 56);
        host.SetProgressStep(IDC_WIFI_PROGRESS, 1);
        host.SetProgressPos(IDC_WIFI_PROGRESS, 20);
        PBRANGE range{};
        SendDlgItemMessageW(dialog, IDC_WIFI_PROGRESS, PBM_GETRANGE, FALSE,
                            reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, 0);
        EXPECT_EQ(range.iHigh, 56);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_WIFI_PROGRESS, PBM_GETPOS, 0, 0), 20);
        SendDlgItemMessageW(dialog, IDC_WIFI_PROGRESS, PBM_STEPIT, 0, 0);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_WIFI_PROGRESS, PBM_GETPOS, 0, 0), 21);
        PressKey(dialog, VK_ESCAPE);
    });
}

}  // namespace
}  // namespace tarvek::win32test
