// The main dialog's control states, written out by hand: every control in every state the
// operations leave it in, reached through the real handlers on the simulated printer.
#include "unit/maindlg/main_dialog_fixture.h"

namespace tarvek::testing {
namespace {

// How each column is reached from a fresh start.
using Steps = void (*)(MainDialog&);
constexpr Steps kColumns[] = {
    [](MainDialog&) {},                                  // 0 after start-up
    [](MainDialog& d) { d.Open(kEmulationEscPos); },     // 1 open: COM, ESC/POS
    [](MainDialog& d) { d.Open(kEmulationCpcl); },       // 2 open: COM, CPCL
    [](MainDialog& d) { d.Open(kEmulationCpcl, 9); },    // 3 open: USB, CPCL
    [](MainDialog& d) { d.Open(kEmulationEscPos, 9); },  // 4 open: USB, ESC/POS
    [](MainDialog& d) {                                  // 5 Close Port in CPCL
        d.Open(kEmulationCpcl);
        d.host.Click(IDC_CLOSE_PORT);
    },
    [](MainDialog& d) {  // 6 Close Port in ESC/POS
        d.Open(kEmulationEscPos);
        d.host.Click(IDC_CLOSE_PORT);
    },
    [](MainDialog& d) {  // 7 Save Serial (USB, ESC/POS)
        d.Open(kEmulationEscPos, 9);
        d.host.Click(IDC_SAVE_SERIAL);
    },
    [](MainDialog& d) {  // 8 Set CPCL
        d.Open(kEmulationEscPos);
        d.host.Click(IDC_SET_CPCL);
    },
    [](MainDialog& d) {  // 9 Set ESC/POS
        d.Open(kEmulationCpcl);
        d.host.Click(IDC_SET_ESCPOS);
    },
    [](MainDialog& d) {  // 10 Save Power Save (ESC/POS)
        d.Open(kEmulationEscPos);
        d.host.Click(IDC_SAVE_POWER_SAVE);
    },
};

struct Row {
    int id;
    const char* columns;  // E enabled, D disabled, for columns 0..10 (blanks only group them)
};

// clang-format off
//                                0  1234  56  7  89  10
constexpr Row kStates[] = {
    {IDC_PORT,                "E  DDDD  EE  E  EE  E"},
    {IDC_OPEN_PORT,           "E  DDDD  EE  E  EE  E"},
    {IDC_CLOSE_PORT,          "D  EEEE  DD  D  DD  D"},
    {IDC_SAVE_SERIAL,         "D  EEEE  DD  D  DD  D"},
    {IDC_GET_EMULATION,       "D  EEEE  DD  D  DD  D"},
    {IDC_SET_CPCL,            "D  EEEE  DD  D  DD  D"},
    {IDC_SET_ESCPOS,          "D  EEEE  DD  D  DD  D"},
    {IDC_GET_BLUETOOTH,       "D  EEEE  DD  D  DD  D"},
    {IDC_PIN_CODE,            "D  EEEE  DD  D  DD  D"},
    {IDC_DISCOVERABLE_ON,     "D  EEEE  DD  D  DD  D"},
    {IDC_DISCOVERABLE_OFF,    "D  EEEE  DD  D  DD  D"},
    {IDC_SAVE_PIN,            "D  EEEE  DD  D  DD  D"},
    {IDC_SAVE_DISCOVERABLE,   "D  EEEE  DD  D  DD  D"},
    {IDC_START_WIFI,          "E  DDDD  EE  E  EE  E"},
    {IDC_POWER_SAVE,          "D  EEEE  DD  D  DD  D"},
    {IDC_SAVE_POWER_SAVE,     "D  EEEE  DD  D  DD  D"},
    {IDC_POWER_MINUTES,       "D  DDDD  DD  D  DD  D"},
    {IDC_CODE_PAGE,           "D  EDDE  DD  D  DD  D"},
    {IDC_SAVE_CODE_PAGE,      "D  EDDE  DD  D  DD  D"},
    {IDC_PRINT_CODE_PAGE,     "D  EDDE  DD  D  DD  D"},
    {IDOK,                    "E  DDDD  EE  E  EE  E"},
    {IDC_BAUDRATE,            "E  EEEE  EE  E  EE  E"},
    {IDC_PARITY,              "E  EEEE  EE  E  EE  E"},
    {IDC_STOPBITS,            "E  EEEE  EE  E  EE  E"},
    {IDC_DATABITS,            "E  EDDE  DE  E  DE  E"},
    {IDC_FLOW,                "E  EDDD  DE  D  DE  E"},
};
// clang-format on

std::string Letters(const char* columns) {
    std::string letters;
    for (const char* c = columns; *c != '\0'; ++c) {
        if (*c != ' ') {
            letters += *c;
        }
    }
    return letters;
}

TEST(MainDialogStates, EveryControlInEveryColumn) {
    const int columnCount = static_cast<int>(std::size(kColumns));
    for (int column = 0; column < columnCount; ++column) {
        MainDialog d;
        kColumns[column](d);
        ASSERT_EQ(d.Message(), "0 messages") << "column " << column;
        for (const Row& row : kStates) {
            const char expected = Letters(row.columns).at(static_cast<size_t>(column));
            EXPECT_EQ(d.host.Control(row.id).enabled ? 'E' : 'D', expected)
                << "control " << row.id << ", column " << column;
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
