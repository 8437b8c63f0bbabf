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

// Controls that share a column pattern (E enabled, D disabled).
struct Row {
    std::vector<int> ids;
    const char* columns;
};

// clang-format off
const Row kStates[] = {  //                                                          0123456
    {{IDC_WIFI_PORT, IDC_WIFI_BAUDRATE, IDC_WIFI_DATABITS, IDC_WIFI_PARITY, IDC_WIFI_STOPBITS,
      IDC_WIFI_OPEN_PORT, IDOK},                                                    "EDDDDDE"},
    {{IDC_WIFI_FLOW},                                                               "EEEEEED"},
    {{IDC_WIFI_CLOSE_PORT},                                                         "DEEEEED"},
    {{IDC_WIFI_GET},                                                                "DEDDDED"},
    {{IDC_WIFI_SAVE, IDC_WIFI_SSID, IDC_WIFI_IP, IDC_WIFI_NETMASK, IDC_WIFI_GATEWAY,
      IDC_WIFI_DNS, IDC_WIFI_MODE, IDC_WIFI_CHANNEL, IDC_WIFI_ENCRYPTION, IDC_WIFI_AUTH}, "DDEEEDD"},
    {{IDC_KEY_ID, IDC_KEY2, IDC_KEY2_FORMAT},                                        "DDDEDDD"},
    {{IDC_WPA_AUTH, IDC_WPA_KEY},                                                   "DDDDEDD"},
    {{IDC_KEY1, IDC_KEY3, IDC_KEY4, IDC_KEY1_FORMAT, IDC_KEY3_FORMAT, IDC_KEY4_FORMAT,
      IDC_WPA_ENCRYPTION, IDC_WIFI_MAC},                                            "DDDDDDD"},
};
// clang-format on

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
            for (const int id : row.ids) {
                EXPECT_EQ(d.host.Control(id).enabled ? 'E' : 'D', row.columns[column])
                    << "control " << id << ", column " << column;
            }
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
