// Reading the module into the Wi-Fi dialog, the rules of its lists, and saving what the user
// edited, on the simulated module.
#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

constexpr int kAddressIds[] = {IDC_WIFI_IP, IDC_WIFI_NETMASK, IDC_WIFI_GATEWAY, IDC_WIFI_DNS};
// 192.168.0.100/255.255.255.0, then the gateway 10.1.2.254 and the DNS 192.168.0.1.
const std::vector<std::uint32_t> kFactoryAddresses = {0xC0A80064, 0xFFFFFF00, 0x0A0102FE,
                                                      0xC0A80001};

std::vector<std::uint32_t> Addresses(const WifiDialog& d) {
    std::vector<std::uint32_t> packed;
    for (const int id : kAddressIds) {
        packed.push_back(d.host.GetIpAddress(id));
    }
    return packed;
}

TEST(WifiDialogRead, EveryRegisterReachesItsControl) {
    WifiDialog d;
    d.SetRegister(2, {10, 1, 2, 254});
    d.SetRegister(4, Text(std::string(32, 'S')));  // fills the field: no terminating zero
    d.SetRegister(5, {0x61, 0x45, 0x14});          // infrastructure, channel 6; Open System, key 2,
                                                   // 40-bit WEP; WPA2 PSK with AES
    d.SetRegister(8, Text("passphrase"));
    d.OpenAndRead();
    EXPECT_EQ(Addresses(d), kFactoryAddresses);  // IP and DNS untouched, the gateway read
    EXPECT_EQ(d.host.GetAnsiText(IDC_WIFI_SSID), std::string(32, 'S'));
    // A WPA mode outranks the WEP type in the encryption list; key formats stay HEX.
    EXPECT_EQ(d.Selected({IDC_WIFI_MODE, IDC_WIFI_CHANNEL, IDC_WIFI_AUTH, IDC_KEY_ID,
                          IDC_WIFI_ENCRYPTION, IDC_WPA_AUTH, IDC_WPA_ENCRYPTION, IDC_KEY3_FORMAT}),
              (std::vector<std::string>{"infrastructure", "6", "Open System", "KEY ID 2", "WPA",
                                        "WPA2 PSK", "AES", "HEX"}));
    EXPECT_EQ(d.host.GetListCount(IDC_WIFI_CHANNEL), 14);
    EXPECT_EQ(d.host.GetListCount(IDC_WIFI_ENCRYPTION), 4);
    EXPECT_EQ(d.host.GetAnsiText(IDC_WPA_KEY), "passphrase");
    EXPECT_EQ(d.host.GetAnsiText(IDC_WIFI_MAC), "00:1d:c9:10:20:30");
    const ui::ControlState& progress = d.host.Control(IDC_WIFI_PROGRESS);
    EXPECT_EQ(std::vector<int>({progress.progressLow, progress.progressHigh, progress.progressStep,
                                progress.progressPos}),
              std::vector<int>({0, 100, 2, 100}));
    EXPECT_EQ(d.host.GetListCount(IDC_KEY_ID), 4);  // refilled, not added to
}

TEST(WifiDialogRead, AWepOnlyModuleOffersThreeEncryptionsAndNoMac) {
    struct Case {
        Bytes options;
        std::string encryption;
        bool keyIdEnabled;
    };
    // A WPA mode cannot be shown by a WEP-only module: no entry is selected then.
    const Case cases[] = {{{0x61, 0x06, 0x00}, "104 Bit", true}, {{0x61, 0x45, 0x14}, "", false}};
    for (const Case& c : cases) {
        WifiDialog d;
        d.model.State().moduleKind = sim::ModuleKind::WepOnly;
        d.SetRegister(5, c.options);
        d.OpenAndRead();
        EXPECT_EQ(d.host.GetListCount(IDC_WIFI_ENCRYPTION), 3);
        EXPECT_EQ(d.Selected(IDC_WIFI_ENCRYPTION), c.encryption);
        EXPECT_EQ(d.host.Control(IDC_KEY_ID).enabled, c.keyIdEnabled);
        EXPECT_EQ(d.host.GetAnsiText(IDC_WIFI_MAC), "");
        EXPECT_TRUE(d.host.Control(IDC_WIFI_SAVE).enabled);
    }
}

TEST(WifiDialogKeys, EachKeyShowsItsStoredTextInItsFormat) {
    WifiDialog d;
    const Bytes keys40 = {0x0A, 0xBC, 0, 0, 0, 'a', 'B', 0x00, 'z', 0x7F};  // keys 1 and 2
    Bytes keys104(52);
    for (size_t i = 0; i < keys104.size(); ++i) {
        keys104[i] = static_cast<std::uint8_t>(0x31 + i);
    }
    d.SetRegister(5, {0x61, 0x45, 0x00});  // 40-bit WEP, key 2
    d.SetRegister(6, keys40);
    d.SetRegister(7, keys104);
    d.OpenAndRead();
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY1), "0ABC000000");
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY2), "6142007A7F");
    d.host.SelectByUser(IDC_KEY2_FORMAT, 1);  // ASCII: the bytes up to a zero
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY2), "aB");
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY1), "0ABC000000");
    d.host.SelectByUser(IDC_WIFI_ENCRYPTION, 2);
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY1), "3132333435363738393A3B3C3D");
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY2), ">?@ABCDEFGHIJ");  // still ASCII
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY4), "58595A5B5C5D5E5F6061626364");
    d.host.SelectByUser(IDC_KEY4_FORMAT, 1);  // key 4 is not in use: its format is off
    d.host.SelectByUser(IDC_KEY_ID, 3);
    d.host.SelectByUser(IDC_KEY4_FORMAT, 1);
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY4), "XYZ[\\]^_`abcd");
}

TEST(WifiDialogRules, EncryptionKeyIdAndWpaPairing) {
    struct Case {
        int encryption, keyId;
        std::vector<int> enabled;  // the key area's enabled controls
    };
    const Case cases[] = {
        {1, 2, {IDC_KEY_ID, IDC_KEY3, IDC_KEY3_FORMAT}},
        {2, 0, {IDC_KEY_ID, IDC_KEY1, IDC_KEY1_FORMAT}},
        {3, 0, {IDC_WPA_AUTH, IDC_WPA_KEY}},
        {0, 3, {}},
    };
    const int area[] = {IDC_KEY_ID,      IDC_KEY1,        IDC_KEY2,        IDC_KEY3,
                        IDC_KEY4,        IDC_KEY1_FORMAT, IDC_KEY2_FORMAT, IDC_KEY3_FORMAT,
                        IDC_KEY4_FORMAT, IDC_WPA_AUTH,    IDC_WPA_KEY,     IDC_WPA_ENCRYPTION};
    WifiDialog d;
    d.OpenAndRead();
    for (const Case& c : cases) {
        d.host.SelectByUser(IDC_WIFI_AUTH, 2);
        d.host.SelectByUser(IDC_WIFI_ENCRYPTION, c.encryption);
        d.host.SelectByUser(IDC_KEY_ID, c.keyId);
        for (int id : area) {
            const bool expected =
                std::find(c.enabled.begin(), c.enabled.end(), id) != c.enabled.end();
            EXPECT_EQ(d.host.Control(id).enabled, expected) << c.encryption << ", control " << id;
        }
        // "No WEP" takes Open System with it; the others leave the authentication.
        EXPECT_EQ(d.Selected(IDC_WIFI_AUTH), c.encryption == 0 ? "Open System" : "Shared Key");
    }
    d.host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
    for (const auto& [auth, cipher] :
         {std::make_pair(2, "AES"), std::make_pair(1, "TKIP"), std::make_pair(0, "None Use")}) {
        d.host.SelectByUser(IDC_WPA_AUTH, auth);
        EXPECT_EQ(d.Selected(IDC_WPA_ENCRYPTION), cipher);
    }
}

TEST(WifiDialogSave, RefusalsSendNothingAndChangeNothing) {
    struct Case {
        int encryption, format;
        std::string key;  // typed into key 2 (WEP) or the WPA key
        const char* message;
    };
    // One row per message; the key rules themselves are ValidateSave's table.
    const Case cases[] = {
        {1, 0, "123456789", "Key Length is not matched"},
        {1, 1, "abcdef", "Key Length is too long"},
        {2, 1, "abcdefghijklmn", "Key Length is too long"},
        {3, 0, "seven77", "WPA Key Length is not long"},
        {3, 0, "eight \x7f!", "Set WPA KEY Syntex Error"},  // no WPA passphrase
    };
    WifiDialog d;
    d.SetRegister(5, {0x61, 0x45, 0x00});  // 40-bit WEP, key 2
    d.OpenAndRead();
    for (const Case& c : cases) {
        d.host.SelectByUser(IDC_WIFI_ENCRYPTION, c.encryption);
        d.host.SelectByUser(IDC_KEY2_FORMAT, c.format);
        d.host.TypeInto(c.encryption == 3 ? IDC_WPA_KEY : IDC_KEY2, c.key);
        d.host.SetProgressPos(IDC_WIFI_PROGRESS, 42);
        const std::vector<bool> before = EnabledStates(d.host);
        const long long bytes = d.model.HostByteCount();
        d.host.ClearMessages();
        d.host.Click(IDC_WIFI_SAVE);
        EXPECT_EQ(d.Message(), std::string(c.message) + " | Error") << c.key;
        EXPECT_EQ(d.model.HostByteCount(), bytes) << c.key;
        EXPECT_EQ(d.host.Control(IDC_WIFI_PROGRESS).progressPos, 42);
        EXPECT_EQ(EnabledStates(d.host), before) << c.key;
    }
    d.host.TypeInto(IDC_WPA_KEY, "long enough");
    // 33 bytes (17 Korean characters in code page 949): more than the SSID register holds.
    d.host.TypeInto(IDC_WIFI_SSID, std::string(33, '\xB0'));
    d.host.ClearMessages();
    d.host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(d.Message(), "Set SSID Syntex Error | Error");
    d.host.TypeInto(IDC_WIFI_SSID, std::string(32, '\xB0'));
    d.host.TypeComboText(IDC_WIFI_CHANNEL, "15");
    d.host.ClearMessages();
    d.host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(d.Message(), "Please choose a value from the list. | Error");
}

TEST(WifiDialogSave, WhatIsSavedIsWhatTheNextReadShows) {
    WifiDialog d;
    d.OpenAndRead();
    d.host.TypeInto(IDC_WIFI_SSID, "Warehouse");
    const std::vector<std::uint32_t> addresses = {0x0A000064, 0xFFFF0000, 0x0A000001, 0x08080404};
    for (int i = 0; i < 4; ++i) {
        d.host.SetIpAddress(kAddressIds[i], addresses[i]);
    }
    d.host.SelectByUser(IDC_WIFI_MODE, 0);
    d.host.SelectByUser(IDC_WIFI_CHANNEL, 10);
    d.host.SelectByUser(IDC_WIFI_ENCRYPTION, 1);
    d.host.SelectByUser(IDC_KEY_ID, 2);
    d.host.TypeInto(IDC_KEY3, "0123456789");
    d.host.SelectByUser(IDC_WIFI_AUTH, 3);
    d.host.Click(IDC_WIFI_SAVE);
    ASSERT_EQ(d.Message(), "Write Complete | OK");
    EXPECT_EQ(d.host.Control(IDC_WIFI_PROGRESS).progressPos, 100);
    d.host.Click(IDC_WIFI_GET);
    EXPECT_EQ(d.host.GetAnsiText(IDC_WIFI_SSID), "Warehouse");
    EXPECT_EQ(Addresses(d), addresses);
    EXPECT_EQ(d.Selected({IDC_WIFI_MODE, IDC_WIFI_CHANNEL, IDC_WIFI_ENCRYPTION, IDC_KEY_ID,
                          IDC_WIFI_AUTH}),
              (std::vector<std::string>{"adhoc", "11", "40 Bit", "KEY ID 3", "Both"}));
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY3), "0123456789");
    // The first key is saved as the others are, and key 3 stays as it was.
    d.host.SelectByUser(IDC_KEY_ID, 0);
    d.host.TypeInto(IDC_KEY1, "9876543210");
    d.host.ClearMessages();
    d.host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(d.Message(), "Write Complete | OK");
    d.host.Click(IDC_WIFI_GET);
    EXPECT_EQ(d.Selected({IDC_KEY_ID}), (std::vector<std::string>{"KEY ID 1"}));
    EXPECT_EQ(d.host.GetAnsiText(IDC_KEY1) + d.host.GetAnsiText(IDC_KEY3), "98765432100123456789");

    d.host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);  // WPA PSK with a passphrase
    d.host.SelectByUser(IDC_WPA_AUTH, 1);
    d.host.TypeInto(IDC_WPA_KEY, "password");
    d.host.Click(IDC_WIFI_SAVE);
    d.host.Click(IDC_WIFI_GET);
    EXPECT_EQ(d.Selected({IDC_WIFI_ENCRYPTION, IDC_WPA_AUTH, IDC_WPA_ENCRYPTION}),
              (std::vector<std::string>{"WPA", "WPA PSK", "TKIP"}));
    EXPECT_EQ(d.host.GetAnsiText(IDC_WPA_KEY), "password");
}

}  // namespace
}  // namespace tarvek::testing
