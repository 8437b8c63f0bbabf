// The Wi-Fi dialog as the program runs it: its template (103), the platform's serial link on
// COM1, the system clock and the spooler check. COM1 is the pty of tarvek-printer-sim
// (wifi_test.sh sets that up and checks the simulator's state file afterwards).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "link/links.h"
#include "res/resource.h"
#include "ui/win32/win32_dialog_host.h"
#include "win32/ui/support/dialog_driver.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek {
namespace {

using namespace tarvek::win32test;

constexpr int kBaud9600 = 4;

DWORD AddressOf(HWND dialog, int id) {
    DWORD address = 0;
    SendMessageW(Item(dialog, id), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

struct ProgramServices {
    std::unique_ptr<SerialPrinterLink> mainSerial = MakeSerialLink(SystemClock());
    std::unique_ptr<UsbPrinterLink> mainUsb = MakeUsbLink(SystemClock());
    TransportKind mainKind = TransportKind::Serial;
    std::unique_ptr<SerialPrinterLink> serial = MakeSerialLink(SystemClock());
    std::unique_ptr<UsbPrinterLink> usb = MakeUsbLink(SystemClock());
    TransportKind kind = TransportKind::Serial;
    std::unique_ptr<PortConflictCheck> conflicts = MakePortConflictCheck();
    DialogServices services{ChannelSet{*mainSerial, *mainUsb, mainKind},
                            ChannelSet{*serial, *usb, kind}, SystemClock(), *conflicts};
};

struct WifiSession : ::testing::Test {
    ProgramServices program;
    CWifiSetDlg dlg{program.services};
    std::vector<std::string> boxes;

    int Run(const std::function<void(HWND)>& whileShown) {
        return ui::win32::RunModalDialog(dlg, nullptr, [&](HWND dialog) {
            ModalWatcher watcher([this](HWND box) {
                boxes.push_back(MessageBoxText(box));
                std::printf("message box: %s\n", boxes.back().c_str());
                Press(box, IDOK);
            });
            whileShown(dialog);
        });
    }
    bool LastBoxSays(const std::string& text) const {
        return !boxes.empty() && boxes.back().find(text) != std::string::npos;
    }
    void OpenAndRead(HWND dialog) {
        SelectByUser(dialog, IDC_WIFI_BAUDRATE, kBaud9600);
        Click(dialog, IDC_WIFI_OPEN_PORT);
        Pump();
        ASSERT_TRUE(IsItemEnabled(dialog, IDC_WIFI_GET)) << "ISP mode was not entered";
        Click(dialog, IDC_WIFI_GET);
        Pump();
        ASSERT_TRUE(LastBoxSays("Read Complete"));
    }
};

// Open, read, edit SSID, addresses, channel and WPA2 passphrase, save, read again; then
// Escape with the port open.
TEST_F(WifiSession, ReadEditSaveReadAgain) {
    std::string mac, ssid, key;
    DWORD ip = 0, gateway = 0;
    const int result = Run([&](HWND dialog) {
        OpenAndRead(dialog);
        mac = ItemText(dialog, IDC_WIFI_MAC);
        TypeInto(dialog, IDC_WIFI_SSID, "IEEE");
        SendMessageW(Item(dialog, IDC_WIFI_IP), IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 100));
        SendMessageW(Item(dialog, IDC_WIFI_GATEWAY), IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 1));
        SelectByUser(dialog, IDC_WIFI_CHANNEL, 10);
        SelectByUser(dialog, IDC_WIFI_ENCRYPTION, 3);
        SelectByUser(dialog, IDC_WPA_AUTH, 2);
        TypeInto(dialog, IDC_WPA_KEY, "password");
        Click(dialog, IDC_WIFI_SAVE);
        Pump();
        EXPECT_TRUE(LastBoxSays("Write Complete"));
        Click(dialog, IDC_WIFI_GET);
        Pump();
        EXPECT_TRUE(LastBoxSays("Read Complete"));
        ssid = ItemText(dialog, IDC_WIFI_SSID);
        key = ItemText(dialog, IDC_WPA_KEY);
        ip = AddressOf(dialog, IDC_WIFI_IP);
        gateway = AddressOf(dialog, IDC_WIFI_GATEWAY);
        PressKey(dialog, VK_ESCAPE);
        Pump();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(mac, "00:1d:c9:10:20:30");
    EXPECT_EQ(ssid, "IEEE");
    EXPECT_EQ(key, "password");
    EXPECT_EQ(ip, 0x0A000064u);
    EXPECT_EQ(gateway, 0x0A000001u);
}

// A save against a module that refuses one register ends with that register's message.
TEST_F(WifiSession, SaveRefused) {
    const int result = Run([&](HWND dialog) {
        OpenAndRead(dialog);
        TypeInto(dialog, IDC_WIFI_SSID, "Refused");
        Click(dialog, IDC_WIFI_SAVE);
        Pump();
        EXPECT_TRUE(LastBoxSays("Syntex Error"));
        EXPECT_TRUE(IsItemEnabled(dialog, IDC_WIFI_SAVE));
        Click(dialog, IDC_WIFI_CLOSE_PORT);
        Pump();
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
}

}  // namespace
}  // namespace tarvek
