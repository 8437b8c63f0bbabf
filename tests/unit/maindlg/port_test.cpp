// Open Port and Close Port on fake links: the state columns for COM and USB in both
// emulations, the bytes on the wire, every failure with its message and unchanged controls.
#include "unit/maindlg/main_dialog_fixture.h"

namespace tarvek::testing {
namespace {

struct KoreanPortTest : MainDialogTest {
    KoreanPortTest() : MainDialogTest(949) {}
};

TEST_F(MainDialogTest, OpenComPortOnCpclPrinter) {
    Start();
    const EnabledMap before = Enabled();
    OpenPort(kEmulationCpcl);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(conflict.checked, std::vector<std::string>{"COM1"});
    EXPECT_EQ(serial.lastOpen.port, "COM1");
    EXPECT_EQ(serial.lastOpen.baudRate, 19200);
    EXPECT_EQ(serial.lastOpen.parity, 0);
    EXPECT_EQ(serial.lastOpen.dataBits, 1);
    EXPECT_EQ(serial.lastOpen.stopBits, 0);
    EXPECT_EQ(serial.lastOpen.flow, 0);
    EXPECT_EQ(kind, TransportKind::Serial);
    EXPECT_EQ(serial.AllWritten(), (Bytes{0x1C, 0x45, 0x43}));
    EXPECT_EQ(dlg.m_nEmulation, kEmulationCpcl);
    EXPECT_EQ(Enabled(), Expected(before, StateColumn::PortOpen, kEmulationCpcl, false));
    EXPECT_FALSE(host.Control(IDC_DATABITS).enabled);
    EXPECT_FALSE(host.Control(IDC_FLOW).enabled);
    EXPECT_TRUE(host.Control(IDC_SAVE_SERIAL).enabled);
    EXPECT_FALSE(host.Control(IDC_CODE_PAGE).enabled);
    EXPECT_FALSE(host.Control(IDC_POWER_MINUTES).enabled);
    EXPECT_FALSE(host.Control(IDOK).enabled);
    EXPECT_EQ(host.Control(IDC_POWER_SAVE).items,
              (std::vector<std::string>{"None Power Save", "Power Off Mode", "Power Save Mode"}));
    EXPECT_EQ(host.Control(IDC_POWER_SAVE).selection, 0);
    EXPECT_EQ(host.Control(IDC_POWER_MINUTES).text, "?");
    EXPECT_TRUE(host.Control(IDC_CODE_PAGE).items.empty());
    EXPECT_EQ(host.Control(IDC_EMULATION).text, "");
}

TEST_F(MainDialogTest, OpenComPortOnEscPosPrinter) {
    Start();
    const EnabledMap before = Enabled();
    OpenPort(kEmulationEscPos);
    EXPECT_EQ(Enabled(), Expected(before, StateColumn::PortOpen, kEmulationEscPos, false));
    const ui::ControlState& codePage = host.Control(IDC_CODE_PAGE);
    ASSERT_EQ(codePage.items.size(), 24u);
    EXPECT_EQ(codePage.items[0], "CP_437");
    EXPECT_EQ(codePage.items[23], "THAI TIS-11");
    EXPECT_EQ(codePage.selection, 0);
    for (int id : {IDC_CODE_PAGE, IDC_SAVE_CODE_PAGE, IDC_PRINT_CODE_PAGE, IDC_DATABITS,
                   IDC_BAUDRATE, IDC_PARITY, IDC_STOPBITS}) {
        EXPECT_TRUE(host.Control(id).enabled) << id;
    }
}

TEST_F(MainDialogTest, OpenUsbOnCpclPrinterEnablesLineCombosOfCpcl) {
    Start();
    const EnabledMap before = Enabled();
    OpenPort(kEmulationCpcl, 9);
    EXPECT_EQ(kind, TransportKind::Usb);
    EXPECT_EQ(usb.Opens(), 1);
    EXPECT_EQ(serial.Opens(), 0);
    EXPECT_EQ(usb.AllWritten(), (Bytes{0x1C, 0x45, 0x43}));
    EXPECT_TRUE(host.Messages().empty());
    EnabledMap afterUsb = before;  // the Port list's rule disabled the five combos
    for (int id : {IDC_BAUDRATE, IDC_DATABITS, IDC_PARITY, IDC_STOPBITS, IDC_FLOW}) {
        afterUsb[id] = false;
    }
    EXPECT_EQ(Enabled(), Expected(afterUsb, StateColumn::PortOpen, kEmulationCpcl, true));
    EXPECT_TRUE(host.Control(IDC_BAUDRATE).enabled);
    EXPECT_TRUE(host.Control(IDC_PARITY).enabled);
    EXPECT_TRUE(host.Control(IDC_STOPBITS).enabled);
    EXPECT_FALSE(host.Control(IDC_DATABITS).enabled);
    EXPECT_FALSE(host.Control(IDC_FLOW).enabled);
}

TEST_F(MainDialogTest, OpenUsbOnEscPosPrinterKeepsFlowAsTheListLeftIt) {
    Start();
    OpenPort(kEmulationEscPos, 9);
    for (int id : {IDC_BAUDRATE, IDC_DATABITS, IDC_PARITY, IDC_STOPBITS}) {
        EXPECT_TRUE(host.Control(id).enabled) << id;
    }
    EXPECT_FALSE(host.Control(IDC_FLOW).enabled);
    EXPECT_TRUE(host.Control(IDC_CODE_PAGE).enabled);
}

TEST_F(MainDialogTest, ClosePortByEmulation) {
    Start();
    for (int emulation : {kEmulationCpcl, kEmulationEscPos}) {
        OpenPort(emulation);
        const EnabledMap open = Enabled();
        host.Click(IDC_CLOSE_PORT);
        EXPECT_FALSE(serial.IsOpen());
        EXPECT_EQ(Enabled(), Expected(open, StateColumn::ClosePort, emulation, false));
        EXPECT_EQ(host.Control(IDC_DATABITS).enabled, emulation == kEmulationEscPos);
        EXPECT_EQ(host.Control(IDC_FLOW).enabled, emulation == kEmulationEscPos);
        EXPECT_TRUE(host.Control(IDOK).enabled);
    }
    EXPECT_EQ(serial.Closes(), 2);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, CloseUsbSendsOnlyTheLinksClosingByte) {
    Start();
    OpenPort(kEmulationEscPos, 9);
    ClearTraffic();
    host.Click(IDC_CLOSE_PORT);
    EXPECT_EQ(usb.AllWritten(), (Bytes{0x00}));
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_EQ(kind, TransportKind::Usb);
}

TEST_F(MainDialogTest, ConflictBlocksOpenAndNamesTheWholePrinter) {
    conflict.heldPort = "COM3";
    const std::string longName(255, 'P');
    conflict.holder = {longName, "COM3:"};
    Start();
    const EnabledMap before = Enabled();
    OpenPort(kEmulationEscPos, 2);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text,
              "The port(COM3:) is already occupied in windows printer driver(" + longName +
                  ").\n\nSo, please change your printer driver port from COM3: to other "
                  "port\n\nand execute again.");
    EXPECT_EQ(host.Messages()[0].caption, "ERROR");
    EXPECT_EQ(host.Messages()[0].flags, ui::kMbOk);
    EXPECT_EQ(serial.Opens(), 0);
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_EQ(Enabled(), before);
}

TEST_F(KoreanPortTest, ConflictInKorean) {
    conflict.heldPort = "COM1";
    conflict.holder = {"Label Printer", "COM1:"};
    Start();
    OpenPort(kEmulationEscPos);
    EXPECT_EQ(
        MessageTexts(),
        std::vector<std::string>{
            "포트(COM1:)가 프린터 드라이버(Label Printer)에서 사용 중입니다.\n\n프린터 "
            "드라이버의 포트를 다른 포트로 변경 후\n\n유틸리티를 다시 실행해 주세요. | 에러"});
    EXPECT_EQ(serial.Opens(), 0);
}

TEST_F(MainDialogTest, SerialOpenFailureClosesAndReports) {
    serial.openResult = -1;
    Start();
    const EnabledMap before = Enabled();
    OpenPort(kEmulationEscPos);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Serial Port Open Failed | Error"});
    EXPECT_EQ(serial.Closes(), 1);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_EQ(Enabled(), before);
}

TEST_F(KoreanPortTest, OpenFailuresInKorean) {
    serial.openResult = -1;
    usb.openResult = 1;
    Start();
    OpenPort(kEmulationEscPos);
    OpenPort(kEmulationEscPos, 9);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"시리얼 포트 열기 실패 !!! | 에러",
                                                        "USB 포트 열기 실패 !!! | 에러"}));
    EXPECT_EQ(usb.Closes(), 1);
}

TEST_F(MainDialogTest, UsbOpenFailure) {
    usb.openResult = 1;
    Start();
    host.SelectByUser(IDC_PORT, 9);
    const EnabledMap before = Enabled();
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"USB Port Open Failed | Error"});
    EXPECT_EQ(usb.Closes(), 1);
    EXPECT_EQ(Enabled(), before);
}

TEST_F(MainDialogTest, SilentPrinterEndsAfterThePollingLimitAndCanBeOpenedAgain) {
    Start();
    const EnabledMap before = Enabled();
    printer.emulationAnswer.clear();
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"No Response in printer | Error"});
    EXPECT_EQ(serial.Reads(), 201);
    EXPECT_EQ(serial.EmptyReads(), 201);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(200, 10));
    EXPECT_EQ(Enabled(), before);
    EXPECT_TRUE(serial.IsOpen());  // the link stays open until the next Open Port
    EXPECT_EQ(serial.Closes(), 0);

    printer.emulationAnswer = {0x01};
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(serial.Closes(), 1);  // released before it is opened again
    EXPECT_EQ(serial.Opens(), 2);
    EXPECT_TRUE(host.Control(IDC_CLOSE_PORT).enabled);
    EXPECT_EQ(host.Messages().size(), 1u);
}

TEST_F(MainDialogTest, AnswerThatIsNoEmulationCode) {
    Start();
    const EnabledMap before = Enabled();
    printer.emulationAnswer = {0x30, 0x0A};
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Failed to read emulation | Error"});
    EXPECT_EQ(Enabled(), before);
    EXPECT_EQ(dlg.m_nEmulation, CTarvekDlg::kEmulationUnknown);
}

TEST_F(KoreanPortTest, QueryFailuresInKorean) {
    Start();
    printer.emulationAnswer.clear();
    host.Click(IDC_OPEN_PORT);
    printer.emulationAnswer = {0x7F};
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"프린터 응답이 없습니다. !!! | 에러",
                                                        "Emulation 읽기 실패 !!! | 에러"}));
}

TEST_F(MainDialogTest, TypedPortOrLineTextIsRefused) {
    Start();
    const EnabledMap before = Enabled();
    host.TypeComboText(IDC_PORT, "COM12");
    host.Click(IDC_OPEN_PORT);
    host.SelectByUser(IDC_PORT, 0);
    host.TypeComboText(IDC_BAUDRATE, "4800");
    host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Please choose a value from the list. | Error",
                                        "Please choose a value from the list. | Error"}));
    EXPECT_EQ(serial.Opens(), 0);
    EXPECT_TRUE(conflict.checked.empty());
    EXPECT_EQ(Enabled(), before);
}

TEST_F(MainDialogTest, UsbIgnoresTypedLineTexts) {
    Start();
    host.TypeComboText(IDC_BAUDRATE, "4800");
    OpenPort(kEmulationEscPos, 9);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(usb.Opens(), 1);
}

TEST_F(MainDialogTest, EscapeEndsTheDialogWithThePortOpen) {
    Start();
    OpenPort(kEmulationEscPos);
    host.PressEscape();
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(serial.Closes(), 0);
}

}  // namespace
}  // namespace tarvek::testing
