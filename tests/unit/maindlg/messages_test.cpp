// Every failure and refusal of the main dialog's handlers: its one message box in English and
// in Korean (code page 949), the controls as they were, and no more sent to the printer than
// the failed step.
#include "unit/maindlg/dialog_fixtures.h"

#include <functional>

namespace tarvek::testing {
namespace {

using Arrange = std::function<void(MainDialog&)>;

struct Case {
    const char* what;
    Arrange arrange;  // before the click
    int click;
    std::string english, korean;  // "text | caption"
    int commands;                 // the printer takes from the click on
};

const std::string kNoResponse = "No Response in printer | Error";
const std::string kNoResponseKo = "프린터 응답이 없습니다. !!! | 에러";
const std::string kNotEmulation = "Failed to read emulation | Error";
const std::string kNotEmulationKo = "Emulation 읽기 실패 !!! | 에러";
const std::string kChoose = "Please choose a value from the list. | Error";
const std::string kChooseKo = "목록에서 값을 선택해 주세요. | 에러";

void Silent(MainDialog& d) {
    d.model.FaultSettings().silent = true;
}
void Garbage(MainDialog& d) {
    d.model.FaultSettings().garbage = true;
}
Arrange Opened(Arrange then = nullptr) {
    return [then](MainDialog& d) {
        d.Open();
        if (then) {
            then(d);
        }
    };
}

Arrange TooLong(int edit, const char* text) {
    return Opened([edit, text](MainDialog& d) { d.host.MutableControl(edit).text = text; });
}
const std::string kTooLong10 = "Please enter no more than 10 characters. | ";
const std::string kTooLong2 = "Please enter no more than 2 characters. | ";

const Case kCases[] = {
    {"a printer driver holds the port",
     [](MainDialog& d) {
         d.portCheck.answer = {PortCheck::Held, {"Label Writer", "COM1:"}};
     },
     IDC_OPEN_PORT,
     "The port(COM1:) is already occupied in windows printer driver(Label Writer).\n\nSo, please "
     "change your printer driver port from COM1: to other port\n\nand execute again. | ERROR",
     "포트(COM1:)가 프린터 드라이버(Label Writer)에서 사용 중입니다.\n\n프린터 드라이버의 포트를 "
     "다른 포트로 변경 후\n\n유틸리티를 다시 실행해 주세요. | 에러",
     0},
    {"typed port", [](MainDialog& d) { d.host.TypeComboText(IDC_PORT, "COM12"); }, IDC_OPEN_PORT,
     kChoose, kChooseKo, 0},
    {"serial port does not open", [](MainDialog& d) { d.host.SelectByUser(IDC_PORT, 1); },
     IDC_OPEN_PORT, "Serial Port Open Failed | Error", "시리얼 포트 열기 실패 !!! | 에러", 0},
    {"USB printer absent",
     [](MainDialog& d) {
         d.model.SetUsbPresent(false);
         d.host.SelectByUser(IDC_PORT, 9);
     },
     IDC_OPEN_PORT, "USB Port Open Failed | Error", "USB 포트 열기 실패 !!! | 에러", 0},
    {"open: silent printer", Silent, IDC_OPEN_PORT, kNoResponse, kNoResponseKo, 1},
    {"open: no emulation code", Garbage, IDC_OPEN_PORT, kNotEmulation, kNotEmulationKo, 1},
    {"save serial: silent", Opened(Silent), IDC_SAVE_SERIAL, kNoResponse, kNoResponseKo, 1},
    {"save serial: typed baud rate",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_BAUDRATE, "300"); }), IDC_SAVE_SERIAL,
     kChoose, kChooseKo, 0},
    {"save serial: no data bits",
     Opened([](MainDialog& d) { d.host.MutableControl(IDC_DATABITS).selection = -1; }),
     IDC_SAVE_SERIAL, kChoose, kChooseKo, 1},  // the emulation asked first
    {"get emulation: silent", Opened(Silent), IDC_GET_EMULATION, kNoResponse, kNoResponseKo, 1},
    {"get Bluetooth: no emulation code", Opened(Garbage), IDC_GET_BLUETOOTH, kNotEmulation,
     kNotEmulationKo, 1},
    {"get Bluetooth: address unanswered", Opened([](MainDialog& d) {
         d.model.FaultSettings().silentAfterCommands = d.model.CommandCount() + 1;
     }),
     IDC_GET_BLUETOOTH, kNoResponse, kNoResponseKo, 2},
    {"save PIN: a quote in it",
     Opened([](MainDialog& d) { d.host.TypeInto(IDC_PIN_CODE, "12\"4"); }), IDC_SAVE_PIN,
     "The PIN code may not hold quotes or control characters. | Error",
     "핀코드에는 따옴표나 제어 문자를 사용할 수 없습니다. | 에러", 0},
    {"save PIN: silent", Opened([](MainDialog& d) {
         d.host.TypeInto(IDC_PIN_CODE, "1234");
         Silent(d);
     }),
     IDC_SAVE_PIN, kNoResponse, kNoResponseKo, 1},
    {"save discoverable: mode never read nor chosen", Opened(), IDC_SAVE_DISCOVERABLE,
     "Please choose ON or OFF first. | Error", "ON 또는 OFF를 먼저 선택해 주세요. | 에러", 0},
    {"save discoverable: no emulation code", Opened([](MainDialog& d) {
         d.host.Click(IDC_DISCOVERABLE_ON);
         Garbage(d);
     }),
     IDC_SAVE_DISCOVERABLE, kNotEmulation, kNotEmulationKo, 1},
    {"power save: typed mode",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_POWER_SAVE, "Sleep"); }),
     IDC_SAVE_POWER_SAVE, kChoose, kChooseKo, 0},
    {"power save: silent", Opened(Silent), IDC_SAVE_POWER_SAVE, kNoResponse, kNoResponseKo, 1},
    {"code page: typed name",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_CODE_PAGE, "CP_999"); }),
     IDC_SAVE_CODE_PAGE, kChoose, kChooseKo, 0},
    // A text longer than its edit's limit (one the program showed) is refused before sending.
    {"save PIN: eleven characters", TooLong(IDC_PIN_CODE, "12345678901"), IDC_SAVE_PIN, kTooLong10,
     kTooLong10, 0},
    {"save code page: three-digit minutes", TooLong(IDC_POWER_MINUTES, "123"), IDC_SAVE_CODE_PAGE,
     kTooLong2, kTooLong2, 0},
    {"print code page: three-digit minutes", TooLong(IDC_POWER_MINUTES, "123"), IDC_PRINT_CODE_PAGE,
     kTooLong2, kTooLong2, 0},
};

TEST(MainDialogMessages, EachFailureInBothLanguages) {
    for (const Case& c : kCases) {
        for (const int codePage : {1252, 949}) {
            MainDialog d(codePage);
            c.arrange(d);
            d.host.ClearMessages();
            const std::vector<bool> before = EnabledStates(d.host);
            const int commandsBefore = d.model.CommandCount();
            d.host.Click(c.click);
            d.model.Advance(d.clock.NowMs() + d.model.CommandPauseMs());  // ends print data too
            const std::string& expected = codePage == 949 ? c.korean : c.english;
            ASSERT_EQ(d.Message(), expected) << c.what;
            EXPECT_EQ(d.host.Messages()[0].flags & 0xF, ui::kMbOk) << c.what;  // OK alone
            EXPECT_EQ(EnabledStates(d.host), before) << c.what;
            EXPECT_EQ(d.model.CommandCount() - commandsBefore, c.commands) << c.what;
            EXPECT_TRUE(d.host.Children().empty()) << c.what;
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
