#include "wifi/wifi_set_dlg.h"

#include <gtest/gtest.h>

#include "scripted_module.h"
#include "step_messages.h"
#include "texts/localized_text.h"
#include "wifi_dialog_fixture.h"

namespace tarvek {
namespace {

using testing::B;
using testing::ScriptedModule;
using State = CWifiSetDlg::State;

const Bytes kIspEnter{0x1B, 0x5B, 0x4D, 0x01};
const Bytes kIspLeave{0x1B, 0x5B, 0x4D, 0x00};

struct WifiDialog : testing::WifiDialogTest {
    ScriptedModule module{serial};
    CWifiSetDlg dlg{services};
    ui::RecordingHost host;

    void SetUp() override {
        // Infrastructure on channel 6, no WEP, Open System: every list gets a selection.
        module.images[5] = ScriptedModule::Image(5, {0x61, 0x40, 0x00});
        host.Start(dlg);
    }
    void Open() {
        host.Click(IDC_WIFI_OPEN_PORT);
        ASSERT_TRUE(dlg.IsPortOpen());
        host.ClearMessages();
    }
    void OpenAndRead() {
        Open();
        host.Click(IDC_WIFI_GET);
        ASSERT_EQ(LastMessage(host), "Read Complete");
        host.ClearMessages();
    }
    bool Wrote(const Bytes& bytes) const {
        for (const testing::WrittenChunk& chunk : serial.Writes()) {
            if (chunk.bytes == bytes) {
                return true;
            }
        }
        return false;
    }
    int CommandsStartingWith(char c) const {
        int n = 0;
        for (const std::string& cmd : module.commands) {
            n += cmd[0] == c;
        }
        return n;
    }
};

// --- Start and the Closed state ---

TEST_F(WifiDialog, AFreshDialogShowsThePortDefaultsAndOnlyThePortControls) {
    EXPECT_EQ(host.Control(IDC_WIFI_PORT).items.size(), 10u);
    EXPECT_EQ(host.Control(IDC_WIFI_PORT).items[9], "USB");
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_PORT, host.GetListSelection(IDC_WIFI_PORT)), "COM1");
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_BAUDRATE, host.GetListSelection(IDC_WIFI_BAUDRATE)),
              "19200");
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_PARITY), 0);
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_DATABITS, host.GetListSelection(IDC_WIFI_DATABITS)),
              "8");
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_STOPBITS), 0);
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_FLOW, 0), "DTR/DSR");
    EXPECT_EQ(host.GetListItemText(IDC_KEY_ID, host.GetListSelection(IDC_KEY_ID)), "KEY ID 1");
    EXPECT_EQ(host.GetListCount(IDC_WIFI_MODE), 0);
    EXPECT_EQ(host.GetListCount(IDC_WIFI_ENCRYPTION), 0);
    EXPECT_EQ(host.Control(IDC_KEY1).textLimit, CWifiSetDlg::kKeyLimit);
    ExpectState(host, State::Closed);
    EXPECT_NE(host.Control(IDC_WIFI_OPEN_PORT).buttonIcon, 0);
    EXPECT_TRUE(host.Control(IDC_GROUP_WIFI_INFO).groupDressed);
}

TEST(WifiDialogKorean, CodePage949ReplacesTheLocalisedTextsOnly) {
    testing::WifiDialogEnv env;
    CWifiSetDlg dlg{env.services};
    ui::RecordingHost host(ui::kKoreanCodePage);
    host.Start(dlg);
    EXPECT_EQ(host.GetTitle(), "Wi-Fi 설정 다이얼로그");
    EXPECT_EQ(host.GetText(IDOK), "Wi-Fi 종료");
    EXPECT_EQ(host.GetText(IDC_LABEL_WPA_HINT), "WPA 키는 8~32 문자입니다.");
    EXPECT_EQ(host.GetText(IDC_LABEL_KEY1), "키 ID 1 : ");
    EXPECT_EQ(host.GetListItemText(IDC_KEY_ID, 3), "키 ID 4");
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_PARITY, 0), "NONE");
}

// --- Open Port and Close Port ---

TEST_F(WifiDialog, OpenPortOpensTheLinkEntersIspModeAndGoesToPortOpen) {
    host.SelectByUser(IDC_WIFI_BAUDRATE, 4);
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(serial.lastOpen.port, "COM1");
    EXPECT_EQ(serial.lastOpen.baudRate, 9600);
    EXPECT_EQ(serial.lastOpen.dataBits, 1);
    EXPECT_EQ(conflicts.checkedPorts, std::vector<std::string>{"COM1"});
    EXPECT_EQ(conflicts.lastVariant, PortConflictVariant::WifiDialog);
    EXPECT_TRUE(Wrote(kIspEnter));
    EXPECT_EQ(clock.Sleeps().front(), 500u);  // the settle pause before the switch
    EXPECT_TRUE(dlg.IsPortOpen());
    ExpectState(host, State::PortOpen);
}

TEST_F(WifiDialog, APortHeldByAPrinterIsNotOpened) {
    conflicts.held = true;
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_EQ(serial.Opens(), 0);
    EXPECT_EQ(LastMessage(host).find("The port(COM1) is already occupied"), 0u);
    EXPECT_NE(LastMessage(host).find("Label Printer"), std::string::npos);
    EXPECT_EQ(LastCaption(host), "ERROR");
    ExpectState(host, State::Closed);
}

TEST_F(WifiDialog, ALinkThatDoesNotOpenIsReported) {
    serial.openResult = -1;
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_EQ(LastMessage(host), "Open Port Failed !!!");
    EXPECT_EQ(LastCaption(host), "ERROR");
    EXPECT_FALSE(serial.IsOpen());
    ExpectState(host, State::Closed);
}

TEST(WifiDialogKorean, OpenPortFailureIsKorean) {
    testing::WifiDialogEnv env;
    env.serial.openResult = -1;
    CWifiSetDlg dlg{env.services};
    ui::RecordingHost host(ui::kKoreanCodePage);
    host.Start(dlg);
    host.Click(IDC_WIFI_OPEN_PORT);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "시리얼 포트 열기 실패 !!!");
    EXPECT_EQ(host.Messages()[0].caption, "에러");
}

TEST_F(WifiDialog, NoAnswerToTheIspSwitchClosesTheLinkAgain) {
    serial.onWrite = nullptr;  // nobody answers
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_EQ(LastMessage(host), "ISP Mode Set Failed");
    EXPECT_EQ(LastCaption(host), "ERROR");
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_FALSE(dlg.IsPortOpen());
    ExpectState(host, State::Closed);
}

TEST_F(WifiDialog, UsbOpensTheUsbLink) {
    host.SelectByUser(IDC_WIFI_PORT, 9);
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_EQ(usb.Opens(), 1);
    EXPECT_EQ(kind, TransportKind::Usb);
    EXPECT_EQ(serial.Opens(), 0);
}

TEST_F(WifiDialog, AListWithoutSelectionRefusesOpenPort) {
    host.TypeComboText(IDC_WIFI_BAUDRATE, "12345");
    host.Click(IDC_WIFI_OPEN_PORT);
    EXPECT_EQ(LastMessage(host), "Please choose a value from the list.");
    EXPECT_EQ(serial.Opens(), 0);
}

TEST_F(WifiDialog, ClosePortLeavesIspModeClosesTheLinkAndReturnsToClosed) {
    OpenAndRead();
    host.Click(IDC_WIFI_CLOSE_PORT);
    EXPECT_EQ(serial.Writes().back().bytes, kIspLeave);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_FALSE(dlg.IsPortOpen());
    ExpectState(host, State::Closed);
}

TEST_F(WifiDialog, ClosePortEnablesTheSerialSettingsEvenWithUsbSelected) {
    host.SelectByUser(IDC_WIFI_PORT, 9);
    usb.onWrite = [this](const Bytes& b) {
        if (b.size() == 4 && b[3] == 1) {
            usb.Deliver(B("ISP\r\n"));
        }
    };
    host.Click(IDC_WIFI_OPEN_PORT);
    ASSERT_TRUE(dlg.IsPortOpen());
    host.Click(IDC_WIFI_CLOSE_PORT);
    EXPECT_TRUE(host.Control(IDC_WIFI_BAUDRATE).enabled);
    EXPECT_FALSE(usb.IsOpen());
}

// --- Closing and Escape ---

TEST_F(WifiDialog, ClosingWithThePortOpenLeavesIspModeBeforeTheDialogEnds) {
    OpenAndRead();
    host.CloseByUser();
    EXPECT_EQ(serial.Writes().back().bytes, kIspLeave);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdCancel);
    for (int id : {IDC_WIFI_SSID, IDC_WIFI_IP, IDC_WIFI_ENCRYPTION, IDC_KEY_ID, IDC_WIFI_SAVE,
                   IDC_WIFI_GET, IDC_WIFI_CLOSE_PORT}) {
        EXPECT_FALSE(host.Control(id).enabled) << id;
    }
    ExpectKeyAreaDisabled(host);
    EXPECT_TRUE(host.Control(IDC_WIFI_OPEN_PORT).enabled);
    EXPECT_TRUE(host.Control(IDOK).enabled);
}

TEST_F(WifiDialog, EscapeWithThePortOpenRunsTheClosingSteps) {
    Open();
    host.PressEscape();
    EXPECT_EQ(serial.Writes().back().bytes, kIspLeave);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdCancel);
}

TEST_F(WifiDialog, AnOkCommandWithThePortOpenStillLeavesIspModeFirst) {
    Open();
    dlg.OnOK();  // Exit is disabled; the command can only come from elsewhere (Enter)
    EXPECT_EQ(serial.Writes().back().bytes, kIspLeave);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdOk);
}

TEST_F(WifiDialog, ClosingWithThePortClosedSendsNothing) {
    host.PressEscape();
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_TRUE(host.Ended());
}

TEST_F(WifiDialog, ExitRefusesAKeyLongerThan26Characters) {
    host.MutableControl(IDC_KEY1).text = std::string(27, 'A');
    host.Click(IDOK);
    EXPECT_FALSE(host.Ended());
    EXPECT_EQ(LastMessage(host), "Please enter no more than 26 characters.");
    host.MutableControl(IDC_KEY1).text = std::string(26, 'A');
    host.Click(IDOK);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdOk);
}

// --- Selection rules ---

TEST_F(WifiDialog, UsbDisablesTheSerialSettingsAndSwapsThePortIcons) {
    const int comIcon = host.Control(IDC_WIFI_OPEN_PORT).buttonIcon;
    host.SelectByUser(IDC_WIFI_PORT, 9);
    for (int id : {IDC_WIFI_BAUDRATE, IDC_WIFI_DATABITS, IDC_WIFI_PARITY, IDC_WIFI_STOPBITS,
                   IDC_WIFI_FLOW}) {
        EXPECT_FALSE(host.Control(id).enabled) << id;
    }
    EXPECT_NE(host.Control(IDC_WIFI_OPEN_PORT).buttonIcon, comIcon);
    host.SelectByUser(IDC_WIFI_PORT, 2);
    for (int id : {IDC_WIFI_BAUDRATE, IDC_WIFI_DATABITS, IDC_WIFI_PARITY, IDC_WIFI_STOPBITS,
                   IDC_WIFI_FLOW}) {
        EXPECT_TRUE(host.Control(id).enabled) << id;
    }
    EXPECT_EQ(host.Control(IDC_WIFI_OPEN_PORT).buttonIcon, comIcon);
}

TEST_F(WifiDialog, SevenDataBitsWithoutParityIsRefusedAtSelection) {
    host.SelectByUser(IDC_WIFI_DATABITS, 0);
    EXPECT_EQ(LastMessage(host), "Data Bits=7, Parity=NONE is not supported");
    EXPECT_EQ(LastCaption(host), "ERROR");
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_DATABITS), 1);
    host.SelectByUser(IDC_WIFI_PARITY, 2);
    host.SelectByUser(IDC_WIFI_DATABITS, 0);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_DATABITS), 0);
    host.ClearMessages();
    host.SelectByUser(IDC_WIFI_PARITY, 0);
    EXPECT_EQ(LastMessage(host), "Data Bits=7, Parity=NONE is not supported");
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_PARITY), 1);
}

TEST_F(WifiDialog, EncryptionRulesSetAuthenticationAndTheKeyArea) {
    OpenAndRead();
    host.SelectByUser(IDC_WIFI_AUTH, 2);
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 0);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_AUTH), 1);
    EXPECT_FALSE(host.Control(IDC_KEY_ID).enabled);
    ExpectKeyAreaDisabled(host);

    host.SelectByUser(IDC_WIFI_ENCRYPTION, 1);
    EXPECT_TRUE(host.Control(IDC_KEY_ID).enabled);
    host.SelectByUser(IDC_KEY_ID, 2);
    EXPECT_TRUE(host.Control(IDC_KEY3).enabled);
    EXPECT_TRUE(host.Control(IDC_KEY3_FORMAT).enabled);
    EXPECT_FALSE(host.Control(IDC_KEY1).enabled);
    EXPECT_FALSE(host.Control(IDC_WPA_KEY).enabled);

    host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
    EXPECT_FALSE(host.Control(IDC_KEY_ID).enabled);
    EXPECT_TRUE(host.Control(IDC_WPA_AUTH).enabled);
    EXPECT_TRUE(host.Control(IDC_WPA_KEY).enabled);
    EXPECT_FALSE(host.Control(IDC_WPA_ENCRYPTION).enabled);
    EXPECT_FALSE(host.Control(IDC_KEY3).enabled);
}

TEST_F(WifiDialog, WpaAuthenticationPairsTheWpaEncryption) {
    OpenAndRead();
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
    const char* expected[] = {"None Use", "TKIP", "AES"};
    for (int i : {2, 1, 0}) {
        host.SelectByUser(IDC_WPA_AUTH, i);
        EXPECT_EQ(
            host.GetListItemText(IDC_WPA_ENCRYPTION, host.GetListSelection(IDC_WPA_ENCRYPTION)),
            expected[i]);
    }
}

// --- ShowWepKeyFields ---

struct WifiDialogKeys : WifiDialog {
    void SetUp() override {
        WifiDialog::SetUp();
        Bytes keys40(20, 0);
        const Bytes key2{'a', 'B', 0x00, 'z', 0x7F};
        std::copy(key2.begin(), key2.end(), keys40.begin() + 5);
        keys40[0] = 0x0A;
        keys40[1] = 0xBC;
        Bytes keys104(52, 0);
        for (int i = 0; i < 52; ++i) {
            keys104[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x31 + i);
        }
        module.images[5] = ScriptedModule::Image(5, {0x61, 0x45, 0x00});  // 40-bit, key 2
        module.images[6] = ScriptedModule::Image(6, keys40);
        module.images[7] = ScriptedModule::Image(7, keys104);
        OpenAndRead();
    }
};

TEST_F(WifiDialogKeys, HexShowsUpperCaseDigitsAndAsciiTheBytesUpToAZero) {
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_ENCRYPTION), 1);
    EXPECT_EQ(host.GetListSelection(IDC_KEY_ID), 1);
    EXPECT_TRUE(host.Control(IDC_KEY2).enabled);
    EXPECT_FALSE(host.Control(IDC_KEY1).enabled);
    EXPECT_EQ(host.GetAnsiText(IDC_KEY1), "0ABC000000");
    EXPECT_EQ(host.GetAnsiText(IDC_KEY2), "6142007A7F");
    host.SelectByUser(IDC_KEY2_FORMAT, 1);
    EXPECT_EQ(host.GetAnsiText(IDC_KEY2), "aB");
    EXPECT_EQ(host.GetAnsiText(IDC_KEY1), "0ABC000000");  // key 1 stays HEX
}

TEST_F(WifiDialogKeys, The104BitKeysShowTheirOwn26Digits) {
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 2);
    EXPECT_EQ(host.GetAnsiText(IDC_KEY1), "3132333435363738393A3B3C3D");
    EXPECT_EQ(host.GetAnsiText(IDC_KEY4).size(), 26u);
    EXPECT_EQ(host.GetAnsiText(IDC_KEY4).substr(0, 2), "58");
    host.SelectByUser(IDC_KEY4_FORMAT, 1);  // disabled: key 2 is the one in use
    EXPECT_EQ(host.GetAnsiText(IDC_KEY4).size(), 26u);
    host.SelectByUser(IDC_KEY_ID, 3);
    host.SelectByUser(IDC_KEY4_FORMAT, 1);
    EXPECT_EQ(host.GetAnsiText(IDC_KEY4), "XYZ[\\]^_`abcd");
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 0);
    ExpectKeyAreaDisabled(host);
}

// --- Get Wi-Fi Information ---

TEST_F(WifiDialog, AReadShowsEveryFieldAndGoesToSettingsLoaded) {
    module.images[0] = ScriptedModule::Image(0, {192, 168, 0, 100});
    module.images[2] = ScriptedModule::Image(2, {192, 168, 0, 1});
    module.images[4] = ScriptedModule::Image(4, B(std::string(32, 'S')));
    module.images[5] = ScriptedModule::Image(5, {0x61, 0x45, 0x14});
    module.images[8] = ScriptedModule::Image(8, B("passphrase"));
    Open();
    host.Click(IDC_WIFI_GET);
    EXPECT_EQ(LastMessage(host), "Read Complete");
    EXPECT_EQ(LastCaption(host), "OK");
    EXPECT_EQ(host.GetIpAddress(IDC_WIFI_IP), 0xC0A80064u);
    EXPECT_EQ(host.GetIpAddress(IDC_WIFI_GATEWAY), 0xC0A80001u);
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_SSID), std::string(32, 'S'));
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_MODE), 1);
    EXPECT_EQ(host.GetListItemText(IDC_WIFI_CHANNEL, host.GetListSelection(IDC_WIFI_CHANNEL)), "6");
    EXPECT_EQ(host.GetListCount(IDC_WIFI_CHANNEL), 14);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_AUTH), 1);
    EXPECT_EQ(host.GetListSelection(IDC_KEY_ID), 1);
    EXPECT_EQ(host.GetListCount(IDC_WIFI_ENCRYPTION), 4);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_ENCRYPTION), 3);  // a WPA mode is set
    EXPECT_EQ(host.GetListSelection(IDC_WPA_AUTH), 2);
    EXPECT_EQ(host.GetListSelection(IDC_WPA_ENCRYPTION), 2);
    EXPECT_EQ(host.GetAnsiText(IDC_WPA_KEY), "passphrase");
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_MAC), "00:1a:2b:3c:4d:5e");
    EXPECT_EQ(host.GetListSelection(IDC_KEY1_FORMAT), 0);
    EXPECT_EQ(host.Control(IDC_WIFI_PROGRESS).progressPos, 100);
    EXPECT_EQ(host.Control(IDC_WIFI_PROGRESS).progressStep, 2);
    ExpectState(host, State::SettingsLoaded);
    EXPECT_FALSE(host.Control(IDC_KEY_ID).enabled);
    EXPECT_TRUE(host.Control(IDC_WPA_KEY).enabled);
}

TEST_F(WifiDialog, AWepOnlyModuleOffersThreeEncryptionsAndNoMac) {
    module.wpaCapable = false;
    module.images[5] = ScriptedModule::Image(5, {0x61, 0x06, 0x00});  // 104-bit, key 2
    OpenAndRead();
    EXPECT_EQ(host.GetListCount(IDC_WIFI_ENCRYPTION), 3);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_ENCRYPTION), 2);
    EXPECT_EQ(CommandsStartingWith('c'), 0);
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_MAC), "");
    EXPECT_EQ(dlg.Settings().m_nModuleKind, kModuleWepOnly);
    EXPECT_TRUE(host.Control(IDC_KEY_ID).enabled);
    EXPECT_TRUE(host.Control(IDC_KEY2).enabled);
}

TEST_F(WifiDialog, AWepOnlyModuleReportingAWpaModeSelectsNoEncryption) {
    module.wpaCapable = false;
    module.images[5] = ScriptedModule::Image(5, {0x61, 0x45, 0x14});
    OpenAndRead();
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_ENCRYPTION), -1);
    EXPECT_FALSE(host.Control(IDC_KEY_ID).enabled);
    ExpectKeyAreaDisabled(host);
    EXPECT_TRUE(host.Control(IDC_WIFI_SAVE).enabled);
}

TEST_F(WifiDialog, EachReadStepFailingShowsItsMessageAndKeepsPortOpen) {
    const char* const* noReply = testing::kReadNoReply;
    const char* const* refused = testing::kReadRefused;
    Open();
    for (int step = 0; step < 11; ++step) {
        for (int mode = 0; mode < 2; ++mode) {
            if (mode == 1 && refused[step] == nullptr) {
                continue;
            }
            module.commands.clear();
            module.silentAtCommand = mode == 0 ? step : -1;
            module.refuseAtCommand = mode == 1 ? step : -1;
            host.ClearMessages();
            host.Click(IDC_WIFI_GET);
            ASSERT_EQ(host.Messages().size(), 1u);
            EXPECT_EQ(LastMessage(host), mode == 0 ? noReply[step] : refused[step]);
            EXPECT_EQ(LastCaption(host), "ERROR");
            ExpectState(host, State::PortOpen);
            EXPECT_NE(host.Control(IDC_WIFI_PROGRESS).progressPos, 100);
        }
    }
}

// --- Save Wi-Fi Information ---

TEST_F(WifiDialog, ASaveWritesEveryRegisterFlashesAndReturnsToPortOpen) {
    OpenAndRead();
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
    host.SelectByUser(IDC_WPA_AUTH, 2);
    host.TypeInto(IDC_WIFI_SSID, "IEEE");
    host.TypeInto(IDC_WPA_KEY, "password");
    host.SetIpAddress(IDC_WIFI_IP, 0x0A000002);
    module.commands.clear();
    host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(LastMessage(host), "Write Complete");
    EXPECT_EQ(LastCaption(host), "OK");
    EXPECT_EQ(CommandsStartingWith('w'), 10);
    EXPECT_EQ(module.commands.back()[0], 'f');
    ASSERT_EQ(module.images[0].size(), 12u);
    EXPECT_EQ(module.images[0][4], 10);
    ASSERT_EQ(module.images[4].size(), 40u);
    EXPECT_EQ(module.images[4][4], 'I');
    EXPECT_EQ(host.Control(IDC_WIFI_PROGRESS).progressPos, 100);
    ExpectState(host, State::PortOpen);
}

TEST_F(WifiDialog, AWepOnlyModuleGetsNineWrites) {
    module.wpaCapable = false;
    OpenAndRead();
    module.commands.clear();
    host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(LastMessage(host), "Write Complete");
    EXPECT_EQ(CommandsStartingWith('w'), 9);
}

TEST_F(WifiDialog, ValidationRefusalsSendNothingAndChangeNothing) {
    module.images[5] = ScriptedModule::Image(5, {0x61, 0x45, 0x00});  // 40-bit, key 2, HEX
    OpenAndRead();
    struct Case {
        int encryption;
        int format;
        std::string key;
        const char* message;
    };
    const Case cases[] = {
        {1, 0, "123456789", "Key Length is not matched"},
        {1, 0, "12345678901", "Key Length is not matched"},
        {1, 1, "abcdef", "Key Length is too long"},
        {2, 1, "abcdefghijklmn", "Key Length is too long"},
        {2, 0, std::string(25, 'A'), "Key Length is not matched"},
    };
    for (const Case& c : cases) {
        host.SelectByUser(IDC_WIFI_ENCRYPTION, c.encryption);
        host.SelectByUser(IDC_KEY2_FORMAT, c.format);
        host.TypeInto(IDC_KEY2, c.key);
        host.SetProgressPos(IDC_WIFI_PROGRESS, 42);
        module.commands.clear();
        host.ClearMessages();
        host.Click(IDC_WIFI_SAVE);
        EXPECT_EQ(LastMessage(host), c.message) << c.key;
        EXPECT_EQ(LastCaption(host), "Error");
        EXPECT_TRUE(module.commands.empty());
        EXPECT_EQ(host.Control(IDC_WIFI_PROGRESS).progressPos, 42);
        ExpectState(host, State::SettingsLoaded);
    }
    host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
    for (const std::string& key : {std::string(32, 'k'), std::string("short")}) {
        host.TypeInto(IDC_WPA_KEY, key);
        host.ClearMessages();
        host.Click(IDC_WIFI_SAVE);
        EXPECT_EQ(LastMessage(host), "WPA Key Length is not long") << key;
    }
    host.TypeComboText(IDC_WIFI_CHANNEL, "15");
    host.TypeInto(IDC_WPA_KEY, "long enough");
    host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(LastMessage(host), "Please choose a value from the list.");
    EXPECT_TRUE(module.commands.empty());
}

TEST_F(WifiDialog, EachWriteStepFailingShowsItsMessageAndFlashesNothing) {
    const char* const* noReply = testing::kWriteNoReply;
    const char* const* refused = testing::kWriteRefused;
    OpenAndRead();
    for (int step = 0; step < 10; ++step) {
        for (int mode = 0; mode < 2; ++mode) {
            module.commands.clear();
            // Command 0 is the unlock; the writes follow.
            module.silentAtCommand = mode == 0 ? step + 1 : -1;
            module.refuseAtCommand = mode == 1 ? step + 1 : -1;
            host.ClearMessages();
            host.Click(IDC_WIFI_SAVE);
            ASSERT_EQ(host.Messages().size(), 1u);
            EXPECT_EQ(LastMessage(host), mode == 0 ? noReply[step] : refused[step]);
            EXPECT_EQ(LastCaption(host), "ERROR");
            EXPECT_EQ(CommandsStartingWith('f'), 0);
            ExpectState(host, State::SettingsLoaded);
        }
    }
}

TEST_F(WifiDialog, AFlashTheModuleRefusesIsReported) {
    OpenAndRead();
    module.flashAnswer = "ERR\r\n";
    host.Click(IDC_WIFI_SAVE);
    EXPECT_EQ(LastMessage(host), "Flash Write Error");
    EXPECT_EQ(LastCaption(host), "ERROR");
    ExpectState(host, State::SettingsLoaded);
}

}  // namespace
}  // namespace tarvek
