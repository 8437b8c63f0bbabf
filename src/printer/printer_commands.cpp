#include "printer/printer_commands.h"

#include <climits>
#include <cstring>

#include "printer/code_page_table.h"

namespace tarvek {
namespace {

constexpr std::uint8_t FS = 0x1C, GS = 0x1D, ESC = 0x1B, CR = 0x0D, LF = 0x0A;

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The answer as a C string: the bytes up to the first zero.
std::string AnswerText(const std::uint8_t* answer, int count) {
    if (answer == nullptr || count <= 0) {
        return std::string();
    }
    const void* zero = std::memchr(answer, 0, static_cast<size_t>(count));
    const int length =
        zero == nullptr ? count : static_cast<int>(static_cast<const std::uint8_t*>(zero) - answer);
    return std::string(reinterpret_cast<const char*>(answer), static_cast<size_t>(length));
}

// The ESC/POS digit of each baud rate the dialogs offer.
struct BaudDigit {
    int baudRate;
    char digit;
};
constexpr BaudDigit kBaudDigits[] = {
    {9600, '0'}, {19200, '1'}, {38400, '2'}, {57600, '3'}, {115200, '4'},
};

// Digits by list index; an index outside the string's length has no digit.
constexpr const char kDataBitsDigits[] = "01";  // 7, 8
constexpr const char kParityDigits[] = "012";   // none, odd, even
constexpr const char kStopBitsDigits[] = "13";  // one, two ("3", not "2")
constexpr const char kFlowDigits[] = "12";      // DTR/DSR, Xon/Xoff
constexpr const char kCpclParityLetters[] = "noe";

template <size_t N>
bool DigitAt(const char (&digits)[N], int index, char& digit) {
    if (index < 0 || index >= static_cast<int>(N - 1)) {
        return false;
    }
    digit = digits[index];
    return true;
}

Bytes CpclLine(const std::string& text) {
    return TextBytes(text + "\r\n");
}

Bytes EscPosBluetooth(std::uint8_t operation) {
    return Bytes{ESC, 'b', 't', 0x01, operation};
}

}  // namespace

std::vector<std::string> BuildCpclSerialLines(int baudRate, int parityIndex, int stopBits) {
    char parity = 0;
    if (!DigitAt(kCpclParityLetters, parityIndex, parity)) {
        return {};
    }
    return {
        "! U1 setvar \"comm.baud\" \"" + std::to_string(baudRate) + "\"\r\n",
        std::string("! U1 setvar \"comm.parity\" \"") + parity + "\"\r\n",
        "! U1 setvar \"comm.stop_bits\" \"" + std::to_string(stopBits) + "\"\r\n",
        "! U1 setvar \"com_apply\"\r\n",
    };
}

Bytes BuildEscPosSerialCommand(int baudRate, int dataBitsIndex, int parityIndex, int stopBitsIndex,
                               int flowIndex) {
    char baud = 0;
    for (const BaudDigit& entry : kBaudDigits) {
        if (entry.baudRate == baudRate) {
            baud = entry.digit;
        }
    }
    char dataBits = 0, parity = 0, stopBits = 0, flow = 0;
    if (baud == 0 || !DigitAt(kDataBitsDigits, dataBitsIndex, dataBits) ||
        !DigitAt(kParityDigits, parityIndex, parity) ||
        !DigitAt(kStopBitsDigits, stopBitsIndex, stopBits) ||
        !DigitAt(kFlowDigits, flowIndex, flow)) {
        return {};
    }
    return Bytes{GS,
                 'S',
                 'C',
                 0x01,
                 static_cast<std::uint8_t>(baud),
                 static_cast<std::uint8_t>(dataBits),
                 static_cast<std::uint8_t>(parity),
                 static_cast<std::uint8_t>(stopBits),
                 static_cast<std::uint8_t>(flow)};
}

Bytes BuildEmulationQuery() {
    return Bytes{FS, 'E', 'C'};
}

Bytes BuildSetEmulation(int emulation) {
    if (emulation != kEmulationCpcl && emulation != kEmulationEscPos) {
        return {};
    }
    return Bytes{FS, 'E', 'S', static_cast<std::uint8_t>(emulation == kEmulationCpcl ? 0 : 1)};
}

int ParseEmulationAnswer(const std::uint8_t* answer, int count) {
    if (answer == nullptr || count <= 0) {
        return kNotAnEmulationCode;
    }
    switch (answer[count - 1]) {
        case 0x00:
        case '0':
            return kEmulationCpcl;
        case 0x01:
        case '1':
            return kEmulationEscPos;
        default:
            return kNotAnEmulationCode;
    }
}

Bytes BuildBluetoothAddressQuery(int emulation) {
    if (emulation == kEmulationCpcl) {
        return CpclLine("! U1 getvar \"bluetooth.address\"");
    }
    return EscPosBluetooth(0x0E);
}

Bytes BuildDiscoverableQuery(int emulation) {
    if (emulation == kEmulationCpcl) {
        return CpclLine("! U1 getvar \"bluetooth.discoverable\"");
    }
    return EscPosBluetooth(0x56);
}

Bytes BuildBluetoothPinCommand(int emulation, const std::string& pin) {
    if (emulation == kEmulationCpcl) {
        return CpclLine("! U1 setvar \"bluetooth.bluetooth_pin\" \"" + pin + "\"");
    }
    Bytes command{ESC, 'b', 't', 0x05, 0x90};
    command.insert(command.end(), pin.begin(), pin.end());
    return command;
}

Bytes BuildDiscoverableCommand(int emulation, bool on) {
    if (emulation == kEmulationCpcl) {
        return CpclLine(std::string("! U1 setvar \"bluetooth.discoverable\" \"") +
                        (on ? "on" : "off") + "\"");
    }
    return EscPosBluetooth(on ? 0x05 : 0x06);
}

std::string ParseBluetoothAddress(const std::uint8_t* answer, int count) {
    std::string text = AnswerText(answer, count);
    const size_t first = text.find_first_not_of('"');
    if (first == std::string::npos) {
        return std::string();
    }
    text.erase(0, first);
    text.erase(text.find_last_not_of('"') + 1);
    return text;
}

bool ParseDiscoverableAnswer(const std::uint8_t* answer, int count) {
    return AnswerText(answer, count).find("on") != std::string::npos;
}

int ParsePowerSaveMinutes(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

Bytes BuildPowerSaveCommand(int mode, int minutes) {
    if (mode < 0 || mode >= kPowerSaveModeCount) {
        return {};
    }
    return Bytes{GS, 'S', 'P', static_cast<std::uint8_t>(mode),
                 static_cast<std::uint8_t>(static_cast<unsigned>(minutes) & 0xFFu)};
}

Bytes BuildSetCodePageCommand(int codePageNumber) {
    if (CodePageName(codePageNumber) == nullptr) {
        return {};
    }
    return Bytes{FS, 'E', 'P', static_cast<std::uint8_t>(codePageNumber)};
}

Bytes BuildCodePageTestPage() {
    Bytes page;
    for (int row = 0; row < 8; ++row) {
        page.insert(page.end(), {CR, LF, CR, LF, ' '});
        for (int column = 0; column < 16; ++column) {
            page.push_back(static_cast<std::uint8_t>(0x80 + 16 * row + column));
        }
        page.push_back(' ');
    }
    for (int line = 0; line < 6; ++line) {
        page.insert(page.end(), {CR, LF});
    }
    return page;
}

}  // namespace tarvek
