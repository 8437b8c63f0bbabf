// The printer's own serial line as its two command languages spell it: the digit each value has
// in the ESC/POS serial command GS "S" "C" 0x01, and the text a CPCL "setvar" line carries for
// it (and a "getvar" answers). The values are those the state keeps (SerialLineSettings: the
// baud rate as the number, the rest as list positions).
#pragma once

#include <cstdint>
#include <string>

#include "link/serial_settings.h"

namespace tarvek::sim {

// One value of a line field.
struct LineCode {
    int value;           // the baud rate, or the position SerialLineSettings keeps
    std::uint8_t digit;  // its ASCII digit in the ESC/POS serial command
    const char* cpcl;    // its CPCL text, or nullptr where CPCL does not set the field
};

// The fields in the order of the ESC/POS command's digits (bytes 4 to 8).
enum class SerialField : int { Baud, DataBits, Parity, StopBits, Flow };
inline constexpr SerialField kSerialFieldsInCommandOrder[] = {
    SerialField::Baud, SerialField::DataBits, SerialField::Parity, SerialField::StopBits,
    SerialField::Flow};

struct SerialFieldCodes {
    int SerialLineSettings::*member;
    const LineCode* begin;
    const LineCode* end;
};
const SerialFieldCodes& CodesOf(SerialField field);

// nullptr when the field has no value with that digit, text or value.
const LineCode* CodeOfDigit(SerialField field, std::uint8_t digit);
const LineCode* CodeOfCpclText(SerialField field, const std::string& text);
const LineCode* CodeOfValue(SerialField field, int value);

}  // namespace tarvek::sim
