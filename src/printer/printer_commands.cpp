#include "printer/printer_commands.h"

#include <algorithm>
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

Bytes CpclLine(const std::string& text) {
    return TextBytes(text + "\r\n");
}

Bytes EscPosBluetooth(std::uint8_t operation) {
    return Bytes{ESC, 'b', 't', 0x01, operation};
}

}  // namespace

std::vector<std::string> BuildCpclSerialLines(const SerialLineSettings& line) {
    std::vector<std::string> lines;
    for (int f = 0; f < kLineFieldCount; ++f) {
        const LineFieldSpec& field = kLineFields[f];
        if (field.cpclVariable == nullptr) {
            continue;
        }
        const PrinterValue* value = ValueOf(static_cast<LineField>(f), line);
        if (value == nullptr) {
            return {};
        }
        const std::string text = value->cpcl != 0 ? std::string(1, value->cpcl) : value->name;
        lines.push_back(std::string("! U1 setvar \"") + field.cpclVariable + "\" \"" + text +
                        "\"\r\n");
    }
    lines.push_back("! U1 setvar \"com_apply\"\r\n");
    return lines;
}

Bytes BuildEscPosSerialCommand(const SerialLineSettings& line) {
    Bytes command{GS, 'S', 'C', 0x01};
    for (const LineField field : {LineField::Baud, LineField::DataBits, LineField::Parity,
                                  LineField::StopBits, LineField::Flow}) {
        const PrinterValue* value = ValueOf(field, line);
        if (value == nullptr) {
            return {};
        }
        command.push_back(value->code);
    }
    return command;
}

Bytes BuildEmulationQuery() {
    return Bytes{FS, 'E', 'C'};
}

Bytes BuildSetEmulation(int emulation) {
    const PrinterValue* value = ValueTable(kEmulations).ByNumber(emulation);
    if (value == nullptr) {
        return {};
    }
    return Bytes{FS, 'E', 'S', value->code};
}

int ParseEmulationAnswer(const std::uint8_t* answer, int count) {
    if (answer == nullptr || count <= 0) {
        return kNotAnEmulationCode;
    }
    // The last byte tells: the switch's code itself, or its digit.
    const std::uint8_t last = answer[count - 1];
    const std::uint8_t code = last >= '0' ? static_cast<std::uint8_t>(last - '0') : last;
    const PrinterValue* value = ValueTable(kEmulations).ByCode(code);
    return value != nullptr ? value->number : kNotAnEmulationCode;
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

bool FindPinInCommand(const std::uint8_t* chunk, std::size_t count, std::size_t& begin,
                      std::size_t& end) {
    // Each emulation's command for an empty PIN: the ESC/POS one is its prefix, the CPCL line
    // its prefix and the closing quote with CR LF.
    const std::size_t kCpclClosing = 3;
    for (const int emulation : {kEmulationEscPos, kEmulationCpcl}) {
        Bytes prefix = BuildBluetoothPinCommand(emulation, "");
        if (emulation == kEmulationCpcl) {
            prefix.resize(prefix.size() - kCpclClosing);
        }
        if (count < prefix.size() || !std::equal(prefix.begin(), prefix.end(), chunk)) {
            continue;
        }
        begin = prefix.size();
        end = count;
        if (emulation == kEmulationCpcl) {
            const std::uint8_t* quote = chunk + count;
            while (quote > chunk + begin && *(quote - 1) != '"') {
                --quote;
            }
            end = quote > chunk + begin ? static_cast<std::size_t>(quote - chunk) - 1 : count;
        }
        return true;
    }
    return false;
}

bool IsOpenEnded(const Bytes& command) {
    static const Bytes kPinPrefix{ESC, 'b', 't', 0x05, 0x90};
    return command.size() >= kPinPrefix.size() &&
           std::equal(kPinPrefix.begin(), kPinPrefix.end(), command.begin());
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
    const PrinterValue* value = ValueTable(kPowerSaveModes).ByNumber(mode);
    if (value == nullptr) {
        return {};
    }
    return Bytes{GS, 'S', 'P', value->code,
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
