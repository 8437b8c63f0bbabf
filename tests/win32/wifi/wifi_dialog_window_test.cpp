// CWifiSetDlg on the real dialog from template 103, driven through Win32 against the simulated
// Wi-Fi module in process: open, read, edit, save, read again, and Escape with the port open.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/win32/win32_dialog_host.h"
#include "unit/wifi/sim_dialog_env.h"
#include "win32/ui/support/dialog_driver.h"

namespace tarvek {
namespace {

using namespace tarvek::win32test;

DWORD AddressOf(HWND dialog, int id) {
    DWORD address = 0;
    SendMessageW(Item(dialog, id), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}
void SetAddress(HWND dialog, int id, DWORD address) {
    SendMessageW(Item(dialog, id), IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

struct WifiWindow : ::testing::Test, testing::WifiSimEnv {
    CWifiSetDlg dlg{services};
    std::vector<std::string> boxes;  // the texts of the message boxes answered

    int Run(const std::function<void(HWND)>& whileShown) {
        return ui::win32::RunModalDialog(dlg, nullptr, [&](HWND dialog) {
            ModalWatcher watcher([this](HWND box) {
                boxes.push_back(MessageBoxText(box));
                Press(box, IDOK);
            });
            whileShown(dialog);
        });
    }
    bool LastBoxSays(const std::string& text) const {
        return !boxes.empty() && boxes.back().find(text) != std::string::npos;
    }
    void OpenAndRead(HWND dialog) {
        SelectByUser(dialog, IDC_WIFI_BAUDRATE, testing::kSimBaudIndex);
        Click(dialog, IDC_WIFI_OPEN_PORT);
        Pump();
        EXPECT_TRUE(model.State().ispMode);
        Click(dialog, IDC_WIFI_GET);
        Pump();
        EXPECT_TRUE(LastBoxSays("Read Complete"));
    }
};

TEST_F(WifiWindow, ReadShowsEveryFieldInTheWindow) {
    std::string ssid, mac, channel, mode, encryption, title, keyId;
    DWORD ip = 0;
    bool saveEnabled = false, getEnabled = true, exitEnabled = true;
    const int result = Run([&](HWND dialog) {
        OpenAndRead(dialog);
        ssid = ItemText(dialog, IDC_WIFI_SSID);
        mac = ItemText(dialog, IDC_WIFI_MAC);
        channel = ItemText(dialog, IDC_WIFI_CHANNEL);
        mode = ItemText(dialog, IDC_WIFI_MODE);
        encryption = ItemText(dialog, IDC_WIFI_ENCRYPTION);
        keyId = ItemText(dialog, IDC_KEY_ID);
        title = TextOf(dialog);
        ip = AddressOf(dialog, IDC_WIFI_IP);
        saveEnabled = IsItemEnabled(dialog, IDC_WIFI_SAVE);
        getEnabled = IsItemEnabled(dialog, IDC_WIFI_GET);
        exitEnabled = IsItemEnabled(dialog, IDOK);
        EXPECT_EQ(ComboItems(dialog, IDC_WIFI_ENCRYPTION).size(), 4u);
        const bool korean = GetACP() == 949;
        // Every control painted (the owner-drawn buttons included) before the picture.
        for (int i = 0; i < 3; ++i) {
            RedrawWindow(dialog, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Pump();
            Sleep(100);
        }
        EXPECT_TRUE(SaveWindowImage(
            dialog, OutputPath(korean ? "win32_wifi_read_korean.bmp" : "win32_wifi_read.bmp")));
        PressKey(dialog, VK_ESCAPE);
        Pump();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ssid, "tarvek");
    EXPECT_EQ(mac, "00:1d:c9:10:20:30");
    EXPECT_EQ(channel, "6");
    EXPECT_EQ(mode, "infrastructure");
    EXPECT_EQ(encryption, "No WEP");
    EXPECT_EQ(ip, 0xC0A80064u);
    EXPECT_TRUE(saveEnabled);
    EXPECT_FALSE(getEnabled);
    EXPECT_FALSE(exitEnabled);
    if (GetACP() == 949) {
        EXPECT_EQ(title, "Wi-Fi 설정 다이얼로그");
        EXPECT_EQ(keyId, "키 ID 1");
    } else {
        EXPECT_EQ(title, "Wi-Fi Settings Dialog");
        EXPECT_EQ(keyId, "KEY ID 1");
    }
    // Escape with the port open took the module out of ISP mode and closed the link.
    EXPECT_FALSE(model.State().ispMode);
    EXPECT_FALSE(serial.IsOpen());
}

TEST_F(WifiWindow, SaveWritesTheEditedSettingsAndAReadFindsThem) {
    std::string ssidAgain, keyAgain;
    DWORD dnsAgain = 0;
    const int result = Run([&](HWND dialog) {
        OpenAndRead(dialog);
        TypeInto(dialog, IDC_WIFI_SSID, "IEEE");
        SetAddress(dialog, IDC_WIFI_IP, 0x0A000064);
        SetAddress(dialog, IDC_WIFI_DNS, 0x08080404);
        SelectByUser(dialog, IDC_WIFI_CHANNEL, 10);
        SelectByUser(dialog, IDC_WIFI_ENCRYPTION, 3);
        SelectByUser(dialog, IDC_WPA_AUTH, 2);
        TypeInto(dialog, IDC_WPA_KEY, "password");
        Click(dialog, IDC_WIFI_SAVE);
        Pump();
        EXPECT_TRUE(LastBoxSays("Write Complete"));
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_WIFI_GET));
        EXPECT_FALSE(IsItemEnabled(dialog, IDC_WIFI_SSID));
        Click(dialog, IDC_WIFI_GET);
        Pump();
        EXPECT_TRUE(LastBoxSays("Read Complete"));
        ssidAgain = ItemText(dialog, IDC_WIFI_SSID);
        keyAgain = ItemText(dialog, IDC_WPA_KEY);
        dnsAgain = AddressOf(dialog, IDC_WIFI_DNS);
        Click(dialog, IDC_WIFI_CLOSE_PORT);
        Pump();
        EXPECT_FALSE(model.State().ispMode);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ssidAgain, "IEEE");
    EXPECT_EQ(keyAgain, "password");
    EXPECT_EQ(dnsAgain, 0x08080404u);
    const sim::RegisterFile& flash = model.State().flash;
    EXPECT_EQ(flash[0][4], 10);
    EXPECT_EQ(flash[5][4], 0xB1);
    EXPECT_EQ(std::memcmp(flash[9].data() + 4, testing::kAnnexH4Psk, 32), 0);
}

}  // namespace
}  // namespace tarvek
