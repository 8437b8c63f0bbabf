// The printer operations of an open port on fake links: serial settings, emulation,
// Bluetooth, power save and code page; the bytes on the wire, the state columns, the messages.
#include "unit/maindlg/main_dialog_fixture.h"

namespace tarvek::testing {
namespace {

struct KoreanOperationsTest : MainDialogTest {
    KoreanOperationsTest() : MainDialogTest(949) {}
};

Bytes Hex(std::initializer_list<int> values) {
    Bytes bytes;
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

const Bytes kQuery{0x1C, 0x45, 0x43};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// --- Save Serial Port Configuration -------------------------------------------------------

TEST_F(MainDialogTest, SaveSerialInCpclSendsFourLines) {
    Start();
    host.SelectByUser(IDC_BAUDRATE, 2);  // 38400
    host.SelectByUser(IDC_PARITY, 2);    // EVEN
    host.SelectByUser(IDC_STOPBITS, 1);  // 2
    OpenPort(kEmulationCpcl);
    const EnabledMap open = Enabled();
    ClearTraffic();
    host.Click(IDC_SAVE_SERIAL);
    ASSERT_EQ(serial.Writes().size(), 5u);
    EXPECT_EQ(serial.Writes()[0].bytes, kQuery);
    EXPECT_EQ(serial.Writes()[1].bytes, B("! U1 setvar \"comm.baud\" \"38400\"\r\n"));
    EXPECT_EQ(serial.Writes()[2].bytes, B("! U1 setvar \"comm.parity\" \"e\"\r\n"));
    EXPECT_EQ(serial.Writes()[3].bytes, B("! U1 setvar \"comm.stop_bits\" \"2\"\r\n"));
    EXPECT_EQ(serial.Writes()[4].bytes, B("! U1 setvar \"com_apply\"\r\n"));
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_EQ(Enabled(), Expected(open, StateColumn::AfterSaveSerial, kEmulationCpcl, false));
    EXPECT_EQ(host.Control(IDC_BAUDRATE).text, "38400");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, SaveSerialInEscPosSendsNineBytes) {
    Start();
    host.SelectByUser(IDC_BAUDRATE, 0);  // 115200
    host.SelectByUser(IDC_PARITY, 1);    // ODD
    host.SelectByUser(IDC_DATABITS, 0);  // 7
    host.SelectByUser(IDC_STOPBITS, 1);  // 2
    host.SelectByUser(IDC_FLOW, 1);      // Xon/Xoff
    OpenPort(kEmulationEscPos);
    ClearTraffic();
    host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(serial.AllWritten(),
              Concat({kQuery, Hex({0x1D, 0x53, 0x43, 0x01, 0x34, 0x30, 0x31, 0x33, 0x32})}));
    EXPECT_FALSE(host.Control(IDC_CLOSE_PORT).enabled);
    EXPECT_TRUE(host.Control(IDC_OPEN_PORT).enabled);
}

TEST_F(MainDialogTest, SaveSerialEscPosDefaultsAt9600) {
    Start();
    host.SelectByUser(IDC_BAUDRATE, 4);
    OpenPort(kEmulationEscPos);
    ClearTraffic();
    host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(serial.AllWritten(),
              Concat({kQuery, Hex({0x1D, 0x53, 0x43, 0x01, 0x30, 0x31, 0x30, 0x31, 0x31})}));
}

TEST_F(MainDialogTest, SaveSerialWithoutAnswerSendsNothingMore) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    printer.emulationAnswer.clear();
    host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"No Response in printer | Error"});
    EXPECT_EQ(serial.AllWritten(), kQuery);
    EXPECT_TRUE(serial.IsOpen());
    EXPECT_EQ(Enabled(), open);
}

TEST_F(MainDialogTest, SaveSerialRefusesATypedBaudRate) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    host.TypeComboText(IDC_BAUDRATE, "300");
    host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Please choose a value from the list. | Error"});
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_EQ(Enabled(), open);
}

// --- Emulation ------------------------------------------------------------------------------

TEST_F(MainDialogTest, GetEmulationShowsTheAnswer) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    printer.emulationAnswer = {0x30};
    host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "CPCL");
    EXPECT_EQ(dlg.m_nEmulation, kEmulationCpcl);
    printer.emulationAnswer = {0x31};
    host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "ESC/POS");
    EXPECT_EQ(dlg.m_nEmulation, kEmulationEscPos);
    printer.emulationAnswer = {0x37};
    host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "Unkonwn Emulation");
    EXPECT_EQ(dlg.m_nEmulation, kEmulationEscPos);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(Enabled(), open);
    EXPECT_TRUE(serial.IsOpen());
}

TEST_F(KoreanOperationsTest, GetEmulationFromASilentPrinter) {
    Start();
    OpenPort(kEmulationCpcl);
    ClearTraffic();
    printer.emulationAnswer.clear();
    host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"프린터 응답이 없습니다. !!! | 에러"});
    EXPECT_EQ(serial.Reads(), 201);
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "");
}

TEST_F(MainDialogTest, SetEscPosAndSetCpcl) {
    Start();
    OpenPort(kEmulationCpcl);
    EnabledMap open = Enabled();
    ClearTraffic();
    host.Click(IDC_SET_ESCPOS);
    EXPECT_EQ(serial.AllWritten(), Hex({0x1C, 0x45, 0x53, 0x01}));
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "ESC/POS");
    EXPECT_EQ(Enabled(), Expected(open, StateColumn::AfterSetEmulation, kEmulationEscPos, false));
    EXPECT_TRUE(host.Control(IDC_DATABITS).enabled);
    EXPECT_TRUE(host.Control(IDC_FLOW).enabled);

    OpenPort(kEmulationEscPos);
    open = Enabled();
    ClearTraffic();
    host.Click(IDC_SET_CPCL);
    EXPECT_EQ(serial.AllWritten(), Hex({0x1C, 0x45, 0x53, 0x00}));
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "CPCL");
    EXPECT_EQ(Enabled(), Expected(open, StateColumn::AfterSetEmulation, kEmulationCpcl, false));
    EXPECT_FALSE(host.Control(IDC_DATABITS).enabled);
    EXPECT_FALSE(host.Control(IDC_FLOW).enabled);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, SetCpclOverUsb) {
    Start();
    OpenPort(kEmulationEscPos, 9);
    ClearTraffic();
    host.Click(IDC_SET_CPCL);
    EXPECT_EQ(usb.AllWritten(), Hex({0x1C, 0x45, 0x53, 0x00, 0x00}));  // and the closing byte
    EXPECT_FALSE(usb.IsOpen());
}

// --- Bluetooth ----------------------------------------------------------------------------

TEST_F(MainDialogTest, GetBluetoothInCpcl) {
    printer.address = "\"00:19:\"01\"\"";
    printer.discoverable = "\"off\"";
    Start();
    OpenPort(kEmulationCpcl);
    ClearTraffic();
    host.Click(IDC_GET_BLUETOOTH);
    ASSERT_EQ(serial.Writes().size(), 3u);
    EXPECT_EQ(serial.Writes()[1].bytes, B("! U1 getvar \"bluetooth.address\"\r\n"));
    EXPECT_EQ(serial.Writes()[2].bytes, B("! U1 getvar \"bluetooth.discoverable\"\r\n"));
    EXPECT_EQ(host.Control(IDC_BT_ADDRESS).text, "00:19:\"01");
    EXPECT_TRUE(host.Control(IDC_DISCOVERABLE_OFF).checked);
    EXPECT_FALSE(host.Control(IDC_DISCOVERABLE_ON).checked);
    EXPECT_EQ(dlg.m_nDiscoverable, 0);
    EXPECT_EQ(host.Control(IDC_PIN_CODE).text, "?");
    EXPECT_FALSE(host.Control(IDC_SAVE_PIN).enabled);
    EXPECT_FALSE(host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, GetBluetoothInEscPos) {
    Start();
    OpenPort(kEmulationEscPos);
    ClearTraffic();
    host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(serial.AllWritten(), Concat({kQuery, Hex({0x1B, 0x62, 0x74, 0x01, 0x0E}),
                                           Hex({0x1B, 0x62, 0x74, 0x01, 0x56})}));
    EXPECT_EQ(host.Control(IDC_BT_ADDRESS).text, "00:19:01:2A:3B:4C");
    EXPECT_TRUE(host.Control(IDC_DISCOVERABLE_ON).checked);
    EXPECT_EQ(dlg.m_nDiscoverable, 1);
}

TEST_F(MainDialogTest, SilentBluetoothAnswerEndsAfterThePollingLimit) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    clock.ClearSleeps();
    printer.bluetoothSilent = true;
    host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"No Response in printer | Error"});
    EXPECT_EQ(serial.EmptyReads(), 201);  // the fake answers the query at once
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(200, 10));
    EXPECT_EQ(serial.Writes().size(), 2u);  // the discoverable query is not sent
    EXPECT_EQ(Enabled(), open);
    EXPECT_EQ(host.Control(IDC_BT_ADDRESS).text, "");
}

TEST_F(KoreanOperationsTest, SilentBluetoothInKorean) {
    Start();
    OpenPort(kEmulationCpcl);
    printer.bluetoothSilent = true;
    host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"프린터 응답이 없습니다. !!! | 에러"});
}

TEST_F(MainDialogTest, SavePinInBothEmulations) {
    Start();
    OpenPort(kEmulationEscPos);
    host.TypeInto(IDC_PIN_CODE, "1234");
    EXPECT_TRUE(host.Control(IDC_SAVE_PIN).enabled);
    ClearTraffic();
    host.Click(IDC_SAVE_PIN);
    ASSERT_EQ(serial.Writes().size(), 2u);
    EXPECT_EQ(serial.Writes()[1].bytes, Hex({0x1B, 0x62, 0x74, 0x05, 0x90, '1', '2', '3', '4'}));
    EXPECT_FALSE(host.Control(IDC_SAVE_PIN).enabled);

    printer.emulationAnswer = {0x00};
    host.TypeInto(IDC_PIN_CODE, "98765");
    ClearTraffic();
    host.Click(IDC_SAVE_PIN);
    ASSERT_EQ(serial.Writes().size(), 2u);
    EXPECT_EQ(serial.Writes()[1].bytes, B("! U1 setvar \"bluetooth.bluetooth_pin\" \"98765\"\r\n"));
}

TEST_F(MainDialogTest, PinEditRule) {
    Start();
    OpenPort(kEmulationEscPos);
    host.TypeInto(IDC_PIN_CODE, "");
    EXPECT_FALSE(host.Control(IDC_SAVE_PIN).enabled);
    host.TypeInto(IDC_PIN_CODE, "7");
    EXPECT_TRUE(host.Control(IDC_SAVE_PIN).enabled);
    host.TypeInto(IDC_PIN_CODE, "12345678901234");
    EXPECT_EQ(dlg.m_strPinCode, "1234567890");
}

TEST_F(MainDialogTest, SavePinWithoutAnswerSendsNothing) {
    Start();
    OpenPort(kEmulationEscPos);
    host.TypeInto(IDC_PIN_CODE, "1234");
    ClearTraffic();
    printer.emulationAnswer = {0x41};
    host.Click(IDC_SAVE_PIN);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Failed to read emulation | Error"});
    EXPECT_EQ(serial.AllWritten(), kQuery);
    EXPECT_TRUE(host.Control(IDC_SAVE_PIN).enabled);
}

TEST_F(MainDialogTest, DiscoverableRadiosAndSave) {
    Start();
    OpenPort(kEmulationEscPos);
    // Nothing known yet: no mode is made up.
    ClearTraffic();
    host.Click(IDC_SAVE_DISCOVERABLE);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Please choose ON or OFF first. | Error"});
    EXPECT_TRUE(serial.Writes().empty());
    host.ClearMessages();

    host.Click(IDC_DISCOVERABLE_OFF);
    EXPECT_TRUE(host.Control(IDC_DISCOVERABLE_OFF).checked);
    EXPECT_EQ(dlg.m_nDiscoverable, 0);
    host.Click(IDC_SAVE_DISCOVERABLE);
    EXPECT_EQ(serial.AllWritten(), Concat({kQuery, Hex({0x1B, 0x62, 0x74, 0x01, 0x06})}));
    EXPECT_FALSE(host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    // The selected radio again changes nothing.
    host.Click(IDC_DISCOVERABLE_OFF);
    EXPECT_FALSE(host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    host.Click(IDC_DISCOVERABLE_ON);
    EXPECT_TRUE(host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    EXPECT_TRUE(host.Control(IDC_DISCOVERABLE_ON).checked);
    printer.emulationAnswer = {0x30};
    ClearTraffic();
    host.Click(IDC_SAVE_DISCOVERABLE);
    EXPECT_EQ(serial.AllWritten(),
              Concat({kQuery, B("! U1 setvar \"bluetooth.discoverable\" \"on\"\r\n")}));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(KoreanOperationsTest, DiscoverableUnknownInKorean) {
    Start();
    OpenPort(kEmulationEscPos);
    host.Click(IDC_SAVE_DISCOVERABLE);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"ON 또는 OFF를 먼저 선택해 주세요. | 에러"});
}

// --- Power save -----------------------------------------------------------------------------

TEST_F(MainDialogTest, PowerSaveRightAfterOpen) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    host.Click(IDC_SAVE_POWER_SAVE);
    EXPECT_EQ(serial.AllWritten(), Concat({kQuery, Hex({0x1D, 0x53, 0x50, 0x00, 0x00})}));
    ASSERT_EQ(host.Children().size(), 1u);
    EXPECT_EQ(host.Children()[0].templateId, IDD_INFO_DIALOG);
    EXPECT_EQ(host.Children()[0].controls.at(IDC_INFO_TEXT).text,
              "Printer does not support the power save mode.");
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_EQ(Enabled(), Expected(open, StateColumn::ClosePort, kEmulationEscPos, false));
}

TEST_F(MainDialogTest, PowerSaveModesAndMinutes) {
    struct Case {
        int mode;
        std::string minutes;
        Bytes command;
        std::string text;
    };
    const Case cases[] = {
        {2, "30", Hex({0x1D, 0x53, 0x50, 0x02, 0x1E}),
         "The printer goes into power save mode after 30 minute."},
        {1, "5", Hex({0x1D, 0x53, 0x50, 0x01, 0x05}),
         "The printer power will be off after 5 minute."},
        {1, "5x", Hex({0x1D, 0x53, 0x50, 0x01, 0x05}),
         "The printer power will be off after 5 minute."},
        {2, "", Hex({0x1D, 0x53, 0x50, 0x02, 0x00}),
         "The printer goes into power save mode after 0 minute."},
    };
    Start();
    for (const Case& c : cases) {
        OpenPort(kEmulationCpcl);
        host.SelectByUser(IDC_POWER_SAVE, c.mode);
        EXPECT_TRUE(host.Control(IDC_POWER_MINUTES).enabled);
        host.TypeInto(IDC_POWER_MINUTES, c.minutes);
        ClearTraffic();
        host.Click(IDC_SAVE_POWER_SAVE);
        EXPECT_EQ(serial.AllWritten(), Concat({kQuery, c.command})) << c.minutes;
        EXPECT_EQ(host.Children().back().controls.at(IDC_INFO_TEXT).text, c.text);
        EXPECT_FALSE(serial.IsOpen());
    }
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, PowerSaveListRuleKeepsTheMinutesText) {
    Start();
    OpenPort(kEmulationEscPos);
    host.SelectByUser(IDC_POWER_SAVE, 1);
    host.TypeInto(IDC_POWER_MINUTES, "7");
    host.SelectByUser(IDC_POWER_SAVE, 0);
    EXPECT_FALSE(host.Control(IDC_POWER_MINUTES).enabled);
    EXPECT_EQ(host.Control(IDC_POWER_MINUTES).text, "7");
    ClearTraffic();
    host.Click(IDC_SAVE_POWER_SAVE);
    EXPECT_EQ(serial.Writes().back().bytes, Hex({0x1D, 0x53, 0x50, 0x00, 0x07}));
}

TEST_F(MainDialogTest, PowerSaveClosesThePortAfterEscape) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    host.QueueChildResult(ui::kIdCancel);
    host.Click(IDC_SAVE_POWER_SAVE);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_EQ(Enabled(), Expected(open, StateColumn::ClosePort, kEmulationEscPos, false));
}

TEST_F(KoreanOperationsTest, PowerSaveFailuresKeepThePortOpen) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    printer.emulationAnswer = {0x0A};
    host.Click(IDC_SAVE_POWER_SAVE);
    host.TypeComboText(IDC_POWER_SAVE, "Sleep");
    host.Click(IDC_SAVE_POWER_SAVE);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Emulation 읽기 실패 !!! | 에러",
                                                        "목록에서 값을 선택해 주세요. | 에러"}));
    EXPECT_EQ(serial.AllWritten(), kQuery);  // no 0xFF mode byte ever leaves
    EXPECT_TRUE(host.Children().empty());
    EXPECT_TRUE(serial.IsOpen());
    EXPECT_EQ(Enabled(), open);
}

// --- Code page ------------------------------------------------------------------------------

TEST_F(MainDialogTest, SaveCodePage) {
    Start();
    OpenPort(kEmulationEscPos);
    const EnabledMap open = Enabled();
    ClearTraffic();
    clock.ClearSleeps();
    host.SelectByUser(IDC_CODE_PAGE, 2);
    host.Click(IDC_SAVE_CODE_PAGE);
    EXPECT_EQ(serial.AllWritten(), Hex({0x1C, 0x45, 0x50, 0x02}));
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{100});
    ASSERT_EQ(host.Children().size(), 1u);
    EXPECT_EQ(host.Children()[0].controls.at(IDC_INFO_TEXT).text, "Code Page changed to CP_850.");
    host.SelectByUser(IDC_CODE_PAGE, 23);
    host.Click(IDC_SAVE_CODE_PAGE);
    EXPECT_EQ(serial.Writes().back().bytes, Hex({0x1C, 0x45, 0x50, 0x17}));
    EXPECT_EQ(host.Children()[1].controls.at(IDC_INFO_TEXT).text,
              "Code Page changed to THAI TIS-11.");
    EXPECT_TRUE(serial.IsOpen());
    EXPECT_EQ(Enabled(), open);
}

TEST_F(KoreanOperationsTest, TypedCodePageIsRefused) {
    Start();
    OpenPort(kEmulationEscPos);
    ClearTraffic();
    host.TypeComboText(IDC_CODE_PAGE, "CP_999");
    host.Click(IDC_SAVE_CODE_PAGE);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"목록에서 값을 선택해 주세요. | 에러"});
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_TRUE(host.Children().empty());
}

TEST_F(MainDialogTest, PrintCodePageSendsTheWholePage) {
    Start();
    OpenPort(kEmulationEscPos, 9);
    ClearTraffic();
    host.Click(IDC_PRINT_CODE_PAGE);
    ASSERT_EQ(usb.Writes().size(), 1u);
    EXPECT_EQ(usb.Writes()[0].bytes.size(), 188u);
    EXPECT_EQ(usb.Writes()[0].bytes, BuildCodePageTestPage());
    EXPECT_TRUE(usb.IsOpen());
}

TEST_F(MainDialogTest, CodePageGroupStaysOffInCpcl) {
    Start();
    OpenPort(kEmulationCpcl);
    ClearTraffic();
    host.Click(IDC_SAVE_CODE_PAGE);
    host.Click(IDC_PRINT_CODE_PAGE);
    EXPECT_TRUE(serial.Writes().empty());
}

}  // namespace
}  // namespace tarvek::testing
