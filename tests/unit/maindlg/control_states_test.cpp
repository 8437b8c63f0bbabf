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

// Controls that share a column pattern (E enabled, D disabled; blanks only group columns).
struct Row {
    std::vector<int> ids;
    const char* columns;
};

// clang-format off
const Row kStates[] = {  //                                                  0  1234  56  7  89  10
    {{IDC_PORT, IDC_OPEN_PORT, IDC_START_WIFI, IDOK},                         "E  DDDD  EE  E  EE  E"},
    {{IDC_CLOSE_PORT, IDC_SAVE_SERIAL, IDC_GET_EMULATION, IDC_SET_CPCL, IDC_SET_ESCPOS,
      IDC_GET_BLUETOOTH, IDC_PIN_CODE, IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF, IDC_SAVE_PIN,
      IDC_SAVE_DISCOVERABLE, IDC_POWER_SAVE, IDC_SAVE_POWER_SAVE},             "D  EEEE  DD  D  DD  D"},
    {{IDC_POWER_MINUTES},                                                     "D  DDDD  DD  D  DD  D"},
    {{IDC_CODE_PAGE, IDC_SAVE_CODE_PAGE, IDC_PRINT_CODE_PAGE},                "D  EDDE  DD  D  DD  D"},
    {{IDC_BAUDRATE, IDC_PARITY, IDC_STOPBITS},                                "E  EEEE  EE  E  EE  E"},
    {{IDC_DATABITS},                                                          "E  EDDE  DE  E  DE  E"},
    {{IDC_FLOW},                                                              "E  EDDD  DE  D  DE  E"},
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
            for (const int id : row.ids) {
                EXPECT_EQ(d.host.Control(id).enabled ? 'E' : 'D', letters.at(column))
                    << "control " << id << ", column " << column;
            }
        }
    }
}

}  // namespace
}  // namespace tarvek::testing
