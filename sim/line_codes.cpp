#include "sim/line_codes.h"

#include <iterator>

namespace tarvek::sim {
namespace {

constexpr LineCode kBaudCodes[] = {
    {9600, '0', "9600"},   {19200, '1', "19200"},   {38400, '2', "38400"},
    {57600, '3', "57600"}, {115200, '4', "115200"},
};
constexpr LineCode kDataBitsCodes[] = {{kDataBits7, '0', nullptr}, {kDataBits8, '1', nullptr}};
constexpr LineCode kParityCodes[] = {
    {kParityNone, '0', "n"}, {kParityOdd, '1', "o"}, {kParityEven, '2', "e"}};
// Two stop bits are the digit "3"; CPCL names the count.
constexpr LineCode kStopBitsCodes[] = {{kStopBits1, '1', "1"}, {kStopBits2, '3', "2"}};
constexpr LineCode kFlowCodes[] = {{kFlowDtrDsr, '1', nullptr}, {kFlowXonXoff, '2', nullptr}};

// By SerialField.
const SerialFieldCodes kFields[] = {
    {&SerialLineSettings::baudRate, std::begin(kBaudCodes), std::end(kBaudCodes)},
    {&SerialLineSettings::dataBitsIndex, std::begin(kDataBitsCodes), std::end(kDataBitsCodes)},
    {&SerialLineSettings::parityIndex, std::begin(kParityCodes), std::end(kParityCodes)},
    {&SerialLineSettings::stopBitsIndex, std::begin(kStopBitsCodes), std::end(kStopBitsCodes)},
    {&SerialLineSettings::flowIndex, std::begin(kFlowCodes), std::end(kFlowCodes)},
};

template <class Matches>
const LineCode* Find(SerialField field, Matches matches) {
    const SerialFieldCodes& codes = CodesOf(field);
    for (const LineCode* code = codes.begin; code != codes.end; ++code) {
        if (matches(*code)) {
            return code;
        }
    }
    return nullptr;
}

}  // namespace

const SerialFieldCodes& CodesOf(SerialField field) {
    return kFields[static_cast<int>(field)];
}

const LineCode* CodeOfDigit(SerialField field, std::uint8_t digit) {
    return Find(field, [digit](const LineCode& c) { return c.digit == digit; });
}

const LineCode* CodeOfCpclText(SerialField field, const std::string& text) {
    return Find(field, [&text](const LineCode& c) { return c.cpcl != nullptr && text == c.cpcl; });
}

const LineCode* CodeOfValue(SerialField field, int value) {
    return Find(field, [value](const LineCode& c) { return c.value == value; });
}

}  // namespace tarvek::sim
