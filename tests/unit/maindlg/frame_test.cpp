// The main dialog's frame: what a fresh start shows, the Korean texts, the port and
// data-bits/parity rules, the length limits and the close rules.
#include "unit/maindlg/main_dialog_fixture.h"

#include "controls/dressing.h"

namespace tarvek::testing {
namespace {

using ui::ControlState;

struct KoreanDialogTest : MainDialogTest {
    KoreanDialogTest() : MainDialogTest(949) {}
};

TEST_F(MainDialogTest, FreshStartListsAndSelections) {
    Start();
    const ControlState& port = host.Control(IDC_PORT);
    EXPECT_EQ(port.items, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                                    "COM7", "COM8", "COM9", "USB"}));
    EXPECT_EQ(port.text, "COM1");
    EXPECT_EQ(host.Control(IDC_BAUDRATE).items,
              (std::vector<std::string>{"115200", "57600", "38400", "19200", "9600"}));
    EXPECT_EQ(host.Control(IDC_BAUDRATE).text, "19200");
    EXPECT_EQ(host.Control(IDC_PARITY).items, (std::vector<std::string>{"NONE", "ODD", "EVEN"}));
    EXPECT_EQ(host.Control(IDC_PARITY).text, "NONE");
    EXPECT_EQ(host.Control(IDC_DATABITS).items, (std::vector<std::string>{"7", "8"}));
    EXPECT_EQ(host.Control(IDC_DATABITS).text, "8");
    EXPECT_EQ(host.Control(IDC_STOPBITS).items, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(host.Control(IDC_STOPBITS).text, "1");
    EXPECT_EQ(host.Control(IDC_FLOW).items, (std::vector<std::string>{"DTR/DSR", "Xon/Xoff"}));
    EXPECT_EQ(host.Control(IDC_FLOW).text, "DTR/DSR");
    EXPECT_TRUE(host.Control(IDC_POWER_SAVE).items.empty());
    EXPECT_TRUE(host.Control(IDC_CODE_PAGE).items.empty());
    for (int id : {IDC_EMULATION, IDC_BT_ADDRESS, IDC_PIN_CODE, IDC_POWER_MINUTES}) {
        EXPECT_EQ(host.Control(id).text, "") << id;
    }
    EXPECT_EQ(host.Control(IDC_PIN_CODE).textLimit, 10);
    EXPECT_EQ(host.Control(IDC_POWER_MINUTES).textLimit, 2);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_TRUE(serial.Writes().empty());
    EXPECT_EQ(serial.Opens(), 0);
}

TEST_F(MainDialogTest, FreshStartStateColumn) {
    Start();
    const EnabledMap expected = {
        {IDC_PORT, true},
        {IDC_OPEN_PORT, true},
        {IDC_CLOSE_PORT, false},
        {IDC_SAVE_SERIAL, false},
        {IDC_GET_EMULATION, false},
        {IDC_SET_CPCL, false},
        {IDC_SET_ESCPOS, false},
        {IDC_GET_BLUETOOTH, false},
        {IDC_PIN_CODE, false},
        {IDC_DISCOVERABLE_ON, false},
        {IDC_DISCOVERABLE_OFF, false},
        {IDC_SAVE_PIN, false},
        {IDC_SAVE_DISCOVERABLE, false},
        {IDC_START_WIFI, true},
        {IDC_POWER_SAVE, false},
        {IDC_SAVE_POWER_SAVE, false},
        {IDC_POWER_MINUTES, false},
        {IDC_CODE_PAGE, false},
        {IDC_SAVE_CODE_PAGE, false},
        {IDC_PRINT_CODE_PAGE, false},
        {IDOK, true},
        {IDC_BAUDRATE, true},
        {IDC_PARITY, true},
        {IDC_STOPBITS, true},
        {IDC_DATABITS, true},
        {IDC_FLOW, true},
    };
    EXPECT_EQ(Enabled(), expected);
}

TEST_F(MainDialogTest, FrameSystemMenuIconAndDressing) {
    Start();
    ASSERT_EQ(host.SystemMenuItems().size(), 1u);
    EXPECT_EQ(host.SystemMenuItems()[0].first, IDM_ABOUTBOX);
    EXPECT_EQ(host.SystemMenuItems()[0].second, "&About Tarvek...");
    EXPECT_EQ(host.DialogIcon(), IDR_MAINFRAME);
    EXPECT_EQ(host.Control(IDC_OPEN_PORT).buttonIcon, IDI_OPEN_PORT);
    EXPECT_EQ(host.Control(IDOK).buttonIcon, IDI_EXIT);
    EXPECT_TRUE(host.Control(IDC_GROUP_PIN).groupDressed);
    EXPECT_EQ(host.Control(IDC_GROUP_PIN).groupAlign, ui::CaptionAlign::Center);
    // English: the template's captions stay.
    EXPECT_EQ(host.GetTitle(), "");
    EXPECT_FALSE(host.HasControl(IDC_LABEL_MINUTE));
    EXPECT_EQ(dlg.m_nAnsiCodePage, 1252);

    EXPECT_TRUE(dlg.OnSysCommand(IDM_ABOUTBOX));
    ASSERT_EQ(host.Children().size(), 1u);
    EXPECT_EQ(host.Children()[0].templateId, IDD_ABOUTBOX);
    EXPECT_FALSE(dlg.OnSysCommand(0xF060));
    EXPECT_EQ(host.Children().size(), 1u);
}

TEST_F(MainDialogTest, NoAboutItemWithoutItsString) {
    host.Start(dlg);
    EXPECT_TRUE(host.SystemMenuItems().empty());
}

TEST_F(KoreanDialogTest, KoreanCaptionsAndEnglishLabels) {
    Start();
    EXPECT_EQ(dlg.m_nAnsiCodePage, 949);
    EXPECT_EQ(host.GetTitle(), "Veltrin 라벨 프린터 설정 유틸리티 1.40");
    const std::map<int, std::string> expected = {
        {IDC_OPEN_PORT, "포트 열기"},
        {IDC_CLOSE_PORT, "포트 닫기"},
        {IDC_SAVE_SERIAL, "시리얼 포트 설정 저장"},
        {IDC_GET_EMULATION, "Emulation 읽기"},
        {IDC_SET_CPCL, "CPCL 설정"},
        {IDC_SET_ESCPOS, "ESC/POS 설정"},
        {IDC_GET_BLUETOOTH, "블루투스 정보 읽어오기"},
        {IDC_SAVE_PIN, "핀코드 저장"},
        {IDC_SAVE_DISCOVERABLE, "검색 모드 저장"},
        {IDC_START_WIFI, "Wi-Fi 설정 시작"},
        {IDC_GROUP_CONNECTION, "프린터 연결 정보"},
        {IDC_GROUP_EMULATION, "Emulation 정보"},
        {IDC_GROUP_BLUETOOTH, "블루투스 정보"},
        {IDC_GROUP_PIN, "핀코드 정보"},
        {IDC_GROUP_DISCOVERABLE, "검색 모드 정보"},
        {IDC_GROUP_WIFI, "Wi-Fi 정보"},
        {IDC_LABEL_BT_ADDRESS, "블루투스 주소 : "},
        {IDC_LABEL_PIN_CODE, "핀코드 : "},
        {IDC_GROUP_POWER_SAVE, "파워 절약 모드"},
        {IDC_SAVE_POWER_SAVE, "파워 절약 모드 설정"},
        {IDC_LABEL_MINUTE, "분"},
        {IDC_GROUP_CODE_PAGE, "코드 페이지 설정"},
        {IDC_SAVE_CODE_PAGE, "코드 페이지 저장"},
        {IDC_PRINT_CODE_PAGE, "코드 페이지 인쇄"},
        {IDC_LABEL_CODE_PAGE, "코드 페이지 : "},
        {IDOK, "프로그램 종료"},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(host.Control(id).text, text) << id;
    }
    // ON, OFF and the six unnamed labels keep their English captions: nothing writes them.
    EXPECT_EQ(host.Control(IDC_DISCOVERABLE_ON).text, "");
    EXPECT_EQ(host.Control(IDC_DISCOVERABLE_OFF).text, "");
    EXPECT_FALSE(host.HasControl(IDC_STATIC_TEXT));
}

TEST_F(MainDialogTest, UsbPortDisablesTheLineCombosAndSwapsIcons) {
    Start();
    host.SelectByUser(IDC_PORT, 9);
    for (int id : {IDC_BAUDRATE, IDC_DATABITS, IDC_PARITY, IDC_STOPBITS, IDC_FLOW}) {
        EXPECT_FALSE(host.Control(id).enabled) << id;
    }
    EXPECT_EQ(host.Control(IDC_OPEN_PORT).buttonIcon, IDI_USB_OPEN_PORT);
    EXPECT_EQ(host.Control(IDC_CLOSE_PORT).buttonIcon, IDI_USB_CLOSE_PORT);
    host.SelectByUser(IDC_PORT, 2);
    for (int id : {IDC_BAUDRATE, IDC_DATABITS, IDC_PARITY, IDC_STOPBITS, IDC_FLOW}) {
        EXPECT_TRUE(host.Control(id).enabled) << id;
    }
    EXPECT_EQ(host.Control(IDC_OPEN_PORT).buttonIcon, IDI_OPEN_PORT);
    EXPECT_EQ(host.Control(IDC_CLOSE_PORT).buttonIcon, IDI_CLOSE_PORT);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(MainDialogTest, DataBitsSevenWithParityNoneIsPutBack) {
    Start();
    host.SelectByUser(IDC_DATABITS, 0);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Data Bits=7, Parity=NONE is not supported");
    EXPECT_EQ(host.Messages()[0].caption, "ERROR");
    EXPECT_EQ(host.Messages()[0].flags, ui::kMbOk);
    EXPECT_EQ(host.Control(IDC_DATABITS).text, "8");
    EXPECT_EQ(host.Control(IDC_PARITY).text, "NONE");
}

TEST_F(KoreanDialogTest, ParityNoneWithSevenBitsBecomesOddInEnglish) {
    Start();
    host.SelectByUser(IDC_PARITY, 2);
    host.SelectByUser(IDC_DATABITS, 0);
    EXPECT_TRUE(host.Messages().empty());
    host.SelectByUser(IDC_PARITY, 0);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Data Bits=7, Parity=NONE is not supported");
    EXPECT_EQ(host.Messages()[0].caption, "ERROR");
    EXPECT_EQ(host.Control(IDC_PARITY).text, "ODD");
    EXPECT_EQ(host.Control(IDC_DATABITS).text, "7");
}

TEST_F(MainDialogTest, ParityNoneWithEightBitsShowsNothing) {
    Start();
    host.SelectByUser(IDC_PARITY, 1);
    host.SelectByUser(IDC_PARITY, 0);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(host.Control(IDC_PARITY).text, "NONE");
}

TEST_F(MainDialogTest, TooLongFieldIsRefusedOnExit) {
    Start();
    host.MutableControl(IDC_POWER_MINUTES).text = "123";
    host.Click(IDOK);
    EXPECT_FALSE(host.Ended());
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Please enter no more than 2 characters.");
    host.ClearMessages();
    host.MutableControl(IDC_POWER_MINUTES).text = "12";
    host.MutableControl(IDC_PIN_CODE).text = "12345678901";
    host.Click(IDOK);
    EXPECT_FALSE(host.Ended());
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Please enter no more than 10 characters.");
    host.MutableControl(IDC_PIN_CODE).text = "1234567890";
    host.Click(IDOK);
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdOk);
}

TEST_F(MainDialogTest, CloseRulesWithoutAClient) {
    Start();
    host.PressEscape();
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdCancel);
}

TEST_F(MainDialogTest, CaptionCloseEndsWithCancel) {
    Start();
    host.CloseByUser();
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.EndResult(), ui::kIdCancel);
}

TEST_F(MainDialogTest, AnAttachedClientHidesInsteadOfClosing) {
    Start();
    dlg.m_pAutoProxy = reinterpret_cast<CTarvekDlgAutoProxy*>(&dlg);  // any non-null client
    EXPECT_FALSE(dlg.CanExit());
    EXPECT_FALSE(host.Visible());
    host.ShowWindow(true);
    host.Click(IDOK);
    EXPECT_FALSE(host.Ended());
    EXPECT_FALSE(host.Visible());
    host.ShowWindow(true);
    host.PressEscape();
    host.CloseByUser();
    EXPECT_FALSE(host.Ended());
    dlg.m_pAutoProxy = nullptr;
    EXPECT_TRUE(dlg.CanExit());
    host.Click(IDOK);
    EXPECT_TRUE(host.Ended());
}

}  // namespace
}  // namespace tarvek::testing
