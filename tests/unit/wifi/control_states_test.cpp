// The Wi-Fi dialog's control states, written out by hand: every control after each operation
// that sets a state, reached through the real handlers on the simulated module.
#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

// How each column is reached from a fresh start: on COM1 or USB, with the module's options
// (register 09 00), as far as a step of the session, then a click (0: none).
struct Column {
    bool usb;
    Bytes options;
    int steps;  // 0 none, 1 Open Port, 2 and Get Wi-Fi Information
    int click;
};
const Column kColumns[] = {
    {false, {}, 0, 0},                   // 0 Closed, after start-up
    {false, {}, 1, 0},                   // 1 PortOpen
    {false, {}, 2, 0},                   // 2 SettingsLoaded, no WEP
    {false, {0x61, 0x45, 0x00}, 2, 0},   // 3 SettingsLoaded, 40-bit WEP, key 2
    {false, {0x61, 0x80, 0x14}, 2, 0},   // 4 SettingsLoaded, WPA2
    {false, {}, 2, IDC_WIFI_SAVE},       // 5 PortOpen after a save
    {true, {}, 2, IDC_WIFI_CLOSE_PORT},  // 6 Closed by Close Port, USB chosen
};

struct Row {
    int id;
    const char* columns;  // E enabled, D disabled, for columns 0..6
};

constexpr Row kStates[] = {
    {IDC_WIFI_PORT, "EDDDDDE"},
    {IDC_WIFI_BAUDRATE, "EDDDDDE"},
    {IDC_WIFI_DATABITS, "EDDDDDE"},
    {IDC_WIFI_PARITY, "EDDDDDE"},
    {IDC_WIFI_STOPBITS, "EDDDDDE"},
    {IDC_WIFI_FLOW, "EEEEEED"},
    {IDC_WIFI_OPEN_PORT, "EDDDDDE"},
    {IDC_WIFI_CLOSE_PORT, "DEEEEED"},
    {IDC_WIFI_GET, "DEDDDED"},
    {IDC_WIFI_SAVE, "DDEEEDD"},
    {IDOK, "EDDDDDE"},
    {IDC_WIFI_SSID, "DDEEEDD"},
    {IDC_WIFI_IP, "DDEEEDD"},
    {IDC_WIFI_NETMASK, "DDEEEDD"},
    {IDC_WIFI_GATEWAY, "DDEEEDD"},
    {IDC_WIFI_DNS, "DDEEEDD"},
    {IDC_WIFI_MODE, "DDEEEDD"},
    {IDC_WIFI_CHANNEL, "DDEEEDD"},
    {IDC_WIFI_ENCRYPTION, "DDEEEDD"},
    {IDC_WIFI_AUTH, "DDEEEDD"},
    {IDC_KEY_ID, "DDDEDDD"},
    {IDC_KEY1, "DDDDDDD"},
    {IDC_KEY2, "DDDEDDD"},
    {IDC_KEY3, "DDDDDDD"},
    {IDC_KEY4, "DDDDDDD"},
    {IDC_KEY1_FORMAT, "DDDDDDD"},
    {IDC_KEY2_FORMAT, "DDDEDDD"},
    {IDC_KEY3_FORMAT, "DDDDDDD"},
    {IDC_KEY4_FORMAT, "DDDDDDD"},
    {IDC_WPA_AUTH, "DDDDEDD"},
    {IDC_WPA_ENCRYPTION, "DDDDDDD"},
    {IDC_WPA_KEY, "DDDDEDD"},
    {IDC_WIFI_MAC, "DDDDDDD"},
};

TEST(WifiDialogStates, EveryControlInEveryColumn) {
    for (size_t column = 0; column < std::size(kColumns); ++column) {
        const Column& c = kColumns[column];
        WifiDialog d;
        d.host.SelectByUser(IDC_WIFI_PORT, c.usb ? 9 : 0);
        if (!c.options.empty()) {
            d.SetRegister(5, c.options);
        }
        if (c.steps == 1) {
            d.Open();
        } else if (c.steps == 2) {
            d.OpenAndRead();
        }
        d.host.Click(c.click);
        for (const Row& row : kStates) {
            EXPECT_EQ(d.host.Control(row.id).enabled ? 'E' : 'D', row.columns[column])
                << "control " << row.id << ", column " << column;
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
