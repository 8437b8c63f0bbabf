// Every failure and refusal of the main dialog's handlers: its one message box, the controls as
// they were, and no more sent to the printer than the failed step.
#include "unit/maindlg/dialog_fixtures.h"

#include <functional>

namespace tarvek::testing {
namespace {

using Arrange = std::function<void(MainDialog&)>;

struct Case {
    const char* what;
    Arrange arrange;  // before the click
    int click;
    std::string message;  // "text | caption"
    int commands;         // the printer takes from the click on
};

const std::string kNoResponse = "No Response in printer | Error";
const std::string kNotEmulation = "Failed to read emulation | Error";
const std::string kChoose = "Please choose a value from the list. | Error";

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
     0},
    {"typed port", [](MainDialog& d) { d.host.TypeComboText(IDC_PORT, "COM12"); }, IDC_OPEN_PORT,
     kChoose, 0},
    {"serial port does not open", [](MainDialog& d) { d.host.SelectByUser(IDC_PORT, 1); },
     IDC_OPEN_PORT, "Serial Port Open Failed | Error", 0},
    {"USB printer absent",
     [](MainDialog& d) {
         d.model.SetUsbPresent(false);
         d.host.SelectByUser(IDC_PORT, 9);
     },
     IDC_OPEN_PORT, "USB Port Open Failed | Error", 0},
    {"open: silent printer", Silent, IDC_OPEN_PORT, kNoResponse, 1},
    {"open: no emulation code", Garbage, IDC_OPEN_PORT, kNotEmulation, 1},
    {"save serial: silent", Opened(Silent), IDC_SAVE_SERIAL, kNoResponse, 1},
    {"save serial: typed baud rate",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_BAUDRATE, "300"); }), IDC_SAVE_SERIAL,
     kChoose, 0},
    {"save serial: no data bits",
     Opened([](MainDialog& d) { d.host.MutableControl(IDC_DATABITS).selection = -1; }),
     IDC_SAVE_SERIAL, kChoose, 1},  // the emulation asked first
    {"get emulation: silent", Opened(Silent), IDC_GET_EMULATION, kNoResponse, 1},
    {"get Bluetooth: no emulation code", Opened(Garbage), IDC_GET_BLUETOOTH, kNotEmulation, 1},
    {"get Bluetooth: address unanswered", Opened([](MainDialog& d) {
         d.model.FaultSettings().silentAfterCommands = d.model.CommandCount() + 1;
     }),
     IDC_GET_BLUETOOTH, kNoResponse, 2},
    {"save PIN: a quote in it",
     Opened([](MainDialog& d) { d.host.TypeInto(IDC_PIN_CODE, "12\"4"); }), IDC_SAVE_PIN,
     "The PIN code may not hold quotes or control characters. | Error", 0},
    {"save PIN: silent", Opened([](MainDialog& d) {
         d.host.TypeInto(IDC_PIN_CODE, "1234");
         Silent(d);
     }),
     IDC_SAVE_PIN, kNoResponse, 1},
    {"save discoverable: mode never read nor chosen", Opened(), IDC_SAVE_DISCOVERABLE,
     "Please choose ON or OFF first. | Error", 0},
    {"save discoverable: no emulation code", Opened([](MainDialog& d) {
         d.host.Click(IDC_DISCOVERABLE_ON);
         Garbage(d);
     }),
     IDC_SAVE_DISCOVERABLE, kNotEmulation, 1},
    {"power save: typed mode",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_POWER_SAVE, "Sleep"); }),
     IDC_SAVE_POWER_SAVE, kChoose, 0},
    {"power save: silent", Opened(Silent), IDC_SAVE_POWER_SAVE, kNoResponse, 1},
    {"code page: typed name",
     Opened([](MainDialog& d) { d.host.TypeComboText(IDC_CODE_PAGE, "CP_999"); }),
     IDC_SAVE_CODE_PAGE, kChoose, 0},
    // A text longer than its edit's limit (one the program showed) is refused before sending.
    {"save PIN: eleven characters", TooLong(IDC_PIN_CODE, "12345678901"), IDC_SAVE_PIN, kTooLong10,
     0},
    {"save code page: three-digit minutes", TooLong(IDC_POWER_MINUTES, "123"), IDC_SAVE_CODE_PAGE,
     kTooLong2, 0},
    {"print code page: three-digit minutes", TooLong(IDC_POWER_MINUTES, "123"), IDC_PRINT_CODE_PAGE,
     kTooLong2, 0},
};

TEST(MainDialogMessages, EachFailure) {
    for (const Case& c : kCases) {
        MainDialog d;
        c.arrange(d);
        d.host.ClearMessages();
        const std::vector<bool> before = EnabledStates(d.host);
        const int commandsBefore = d.model.CommandCount();
        d.host.Click(c.click);
        d.model.Advance(d.clock.NowMs() + d.model.CommandPauseMs());  // ends print data too
        ASSERT_EQ(d.Message(), c.message) << c.what;
        EXPECT_EQ(d.host.Messages()[0].flags & 0xF, ui::kMbOk) << c.what;  // OK alone
        EXPECT_EQ(EnabledStates(d.host), before) << c.what;
        EXPECT_EQ(d.model.CommandCount() - commandsBefore, c.commands) << c.what;
        EXPECT_TRUE(d.host.Children().empty()) << c.what;
    }
    MainDialog korean(949);  // the texts table's Korean column reaches the message box
    Silent(korean);
    korean.host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(korean.Message(), "프린터 응답이 없습니다. !!! | 에러");
}

}  // namespace
}  // namespace tarvek::testing
