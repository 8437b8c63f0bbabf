// The Wi-Fi dialog's control states, written out by hand: every control after each operation
// that sets a state, reached through the real handlers on the simulated module.
#include "unit/wifi/wifi_dialog_fixture.h"

namespace tarvek::testing {
namespace {

using Steps = void (*)(WifiDialog&);
constexpr Steps kColumns[] = {
    [](WifiDialog&) {},                      // 0 Closed, after start-up
    [](WifiDialog& d) { d.Open(); },         // 1 PortOpen
    [](WifiDialog& d) { d.OpenAndRead(); },  // 2 SettingsLoaded, no WEP
    [](WifiDialog& d) {                      // 3 SettingsLoaded, 40-bit WEP, key 2
        d.SetRegister(5, {0x61, 0x45, 0x00});
        d.OpenAndRead();
    },
    [](WifiDialog& d) {  // 4 SettingsLoaded, WPA2
        d.SetRegister(5, {0x61, 0x80, 0x14});
        d.OpenAndRead();
    },
    [](WifiDialog& d) {  // 5 PortOpen after a save
        d.OpenAndRead();
        d.host.Click(IDC_WIFI_SAVE);
    },
    [](WifiDialog& d) {  // 6 Closed by Close Port, USB chosen
        d.host.SelectByUser(IDC_WIFI_PORT, 9);
        d.OpenAndRead();
        d.host.Click(IDC_WIFI_CLOSE_PORT);
    },
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
        WifiDialog d;
        kColumns[column](d);
        for (const Row& row : kStates) {
            EXPECT_EQ(d.host.Control(row.id).enabled ? 'E' : 'D', row.columns[column])
                << "control " << row.id << ", column " << column;
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
