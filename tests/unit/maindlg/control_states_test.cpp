// The main dialog's control states, written out by hand: every control in every state the
// operations leave it in, reached through the real handlers on the simulated printer.
#include <algorithm>

#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

// How each column is reached from a fresh start: Open Port on a printer in an emulation, on
// COM1 or USB (9), then a click (0: none).
struct Column {
    int emulation;  // -1: the port is not opened
    int port, click;
};
constexpr Column kColumns[] = {
    {-1, 0, 0},                                 // 0 after start-up
    {kEmulationEscPos, 0, 0},                   // 1 port open: COM, ESC/POS
    {kEmulationCpcl, 0, 0},                     // 2 COM, CPCL
    {kEmulationCpcl, 9, 0},                     // 3 USB, CPCL
    {kEmulationEscPos, 9, 0},                   // 4 USB, ESC/POS
    {kEmulationCpcl, 0, IDC_CLOSE_PORT},        // 5 Close Port in CPCL
    {kEmulationEscPos, 0, IDC_CLOSE_PORT},      // 6 in ESC/POS
    {kEmulationEscPos, 9, IDC_SAVE_SERIAL},     // 7 after Save Serial (USB, ESC/POS)
    {kEmulationEscPos, 0, IDC_SET_CPCL},        // 8 after Set CPCL
    {kEmulationCpcl, 0, IDC_SET_ESCPOS},        // 9 after Set ESC/POS
    {kEmulationEscPos, 0, IDC_SAVE_POWER_SAVE}  // 10 after Save Power Save Mode
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

TEST(MainDialogStates, EveryControlInEveryColumn) {
    for (size_t column = 0; column < std::size(kColumns); ++column) {
        MainDialog d;
        if (kColumns[column].emulation >= 0) {
            d.Open(kColumns[column].emulation, kColumns[column].port);
            d.host.Click(kColumns[column].click);
        }
        ASSERT_EQ(d.Message(), "0 messages") << "column " << column;
        for (const Row& row : kStates) {
            std::string letters = row.columns;
            letters.erase(std::remove(letters.begin(), letters.end(), ' '), letters.end());
            EXPECT_EQ(d.host.Control(row.id).enabled ? 'E' : 'D', letters.at(column))
                << "control " << row.id << ", column " << column;
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
