// What the printer's settings can be, one table per thing: the line settings of its own serial
// port, its emulations, its power-save modes with their minutes, and its Bluetooth PIN (the
// code pages have their own table, code_page_table.h). Each value has one name, the same in
// command-line flags and keys, profiles, JSON and help. The command builders, the dialogs'
// lists, the console tool's keys and the simulator read these tables; none keeps a list of its
// own.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>

#include "link/serial_settings.h"

namespace tarvek {

// The printer's emulation, as m_nEmulation keeps it.
enum : int { kEmulationEscPos = 0, kEmulationCpcl = 1 };

// One value a setting can take.
struct PrinterValue {
    const char* name;   // its one name
    int number;         // what the engine holds: a baud rate, a list position, an emulation
    std::uint8_t code;  // what the printer's byte command carries for it
    const char* alias;  // another spelling still taken on input, or nullptr
    const char* label;  // how the dialogs' lists show it, or nullptr where no list does
    char cpcl;          // the letter a CPCL setvar line takes for it, or 0 where it takes none
};

// The text is the name in any case: how a name, an alias or a code-page name is taken on input.
bool SameLetters(const std::string& text, const char* name);

// A table of values, in the order the dialogs' lists give them (the baud-rate list shows its
// table from the end).
class ValueTable {
  public:
    template <std::size_t N>
    constexpr ValueTable(const PrinterValue (&values)[N])
        : m_values(values), m_count(static_cast<int>(N)) {}
    constexpr const PrinterValue* begin() const { return m_values; }
    constexpr const PrinterValue* end() const { return m_values + m_count; }
    constexpr int size() const { return m_count; }
    // nullptr when no value of the table has it.
    const PrinterValue* ByNumber(int number) const;
    const PrinterValue* ByCode(std::uint8_t code) const;
    const PrinterValue* ByCpcl(char letter) const;
    // The name or the alias, in any case.
    const PrinterValue* ByName(const std::string& name) const;

  private:
    const PrinterValue* m_values;
    int m_count;
};

// --- The printer's own serial line -------------------------------------------------------
// The ESC/POS serial command names a rate by a digit; CPCL takes the rate as a number.
inline constexpr PrinterValue kPrinterBaudRates[] = {
    {"9600", 9600, '0', nullptr, "9600", 0},       {"19200", 19200, '1', nullptr, "19200", 0},
    {"38400", 38400, '2', nullptr, "38400", 0},    {"57600", 57600, '3', nullptr, "57600", 0},
    {"115200", 115200, '4', nullptr, "115200", 0},
};
inline constexpr PrinterValue kParities[] = {
    {"none", kParityNone, '0', nullptr, "NONE", 'n'},
    {"odd", kParityOdd, '1', nullptr, "ODD", 'o'},
    {"even", kParityEven, '2', nullptr, "EVEN", 'e'},
};
inline constexpr PrinterValue kDataBits[] = {
    {"7", kDataBits7, '0', nullptr, "7", 0},
    {"8", kDataBits8, '1', nullptr, "8", 0},
};
// Two stop bits are "3" in the ESC/POS command, not "2".
inline constexpr PrinterValue kStopBits[] = {
    {"1", kStopBits1, '1', nullptr, "1", 0},
    {"2", kStopBits2, '3', nullptr, "2", 0},
};
inline constexpr PrinterValue kFlows[] = {
    {"dtr-dsr", kFlowDtrDsr, '1', "dtr", "DTR/DSR", 0},
    {"xon-xoff", kFlowXonXoff, '2', "xon", "Xon/Xoff", 0},
};

// The fields of a line, in the order of the dialogs' lists. CPCL is told only the baud rate,
// parity and stop bits, each by a setvar line of its own (the value's CPCL letter where it has
// one, else its name); a CPCL printer keeps the data bits and flow it has.
enum class LineField : int { Baud, Parity, DataBits, StopBits, Flow };
struct LineFieldSpec {
    int SerialLineSettings::*member;
    ValueTable values;
    const char* cpclVariable;  // nullptr: not told in CPCL
};
inline constexpr LineFieldSpec kLineFields[] = {
    {&SerialLineSettings::baudRate, kPrinterBaudRates, "comm.baud"},
    {&SerialLineSettings::parityIndex, kParities, "comm.parity"},
    {&SerialLineSettings::dataBitsIndex, kDataBits, nullptr},
    {&SerialLineSettings::stopBitsIndex, kStopBits, "comm.stop_bits"},
    {&SerialLineSettings::flowIndex, kFlows, nullptr},
};
inline constexpr int kLineFieldCount = static_cast<int>(std::size(kLineFields));
inline const LineFieldSpec& Field(LineField field) {
    return kLineFields[static_cast<int>(field)];
}
// The line the dialogs' lists choose first, and the one tarvek-cli takes a printer to answer on
// when no line option says otherwise.
inline constexpr SerialLineSettings kFirstChoiceLine{19200, kParityNone, kDataBits8, kStopBits1,
                                                     kFlowDtrDsr};

// The field's value in the line, from its table; nullptr for a value outside it.
const PrinterValue* ValueOf(LineField field, const SerialLineSettings& line);
inline bool ToldInCpcl(LineField field) {
    return Field(field).cpclVariable != nullptr;
}
// Seven data bits go with a parity bit: the printer takes no line of 7 bits without parity.
inline bool IsLineThePrinterTakes(const SerialLineSettings& line) {
    return line.dataBitsIndex != kDataBits7 || line.parityIndex != kParityNone;
}

// --- Emulation ----------------------------------------------------------------------------
// The code is the byte of the emulation switch FS "E" "S" n, and what the printer answers the
// emulation query with (that byte, or its digit); the label is how the emulation field shows it.
inline constexpr PrinterValue kEmulations[] = {
    {"escpos", kEmulationEscPos, 1, "esc/pos", "ESC/POS", 0},
    {"cpcl", kEmulationCpcl, 0, nullptr, "CPCL", 0},
};

// --- Power save ---------------------------------------------------------------------------
// The code is the mode byte of GS "S" "P"; the number is its list position.
inline constexpr PrinterValue kPowerSaveModes[] = {
    {"none", 0, 0, nullptr, "None Power Save", 0},
    {"power-off", 1, 1, nullptr, "Power Off Mode", 0},
    {"power-save", 2, 2, nullptr, "Power Save Mode", 0},
};
inline constexpr int kPowerSaveModeCount = static_cast<int>(std::size(kPowerSaveModes));
// The minutes the dialog's two-digit field can hold (the command itself takes a byte).
inline constexpr int kMinPowerSaveMinutes = 0;
inline constexpr int kMaxPowerSaveMinutes = 99;

// --- Bluetooth PIN ------------------------------------------------------------------------
// As many characters as the dialog's PIN edit takes.
inline constexpr int kMaxPinLength = 10;
// A PIN goes into a quoted command line (CPCL) or runs to the end of its command (ESC/POS):
// quotes and control characters would end it early or start another command, so such a PIN,
// or a longer one, is never sent.
bool IsSendablePin(const std::string& pin);

}  // namespace tarvek
