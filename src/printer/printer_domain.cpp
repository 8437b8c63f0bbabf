#include "printer/printer_domain.h"

#include <cctype>

namespace tarvek {
namespace {

template <class Matches>
const PrinterValue* Find(const ValueTable& table, Matches matches) {
    for (const PrinterValue& value : table) {
        if (matches(value)) {
            return &value;
        }
    }
    return nullptr;
}

}  // namespace

bool SameLetters(const std::string& text, const char* name) {
    std::size_t i = 0;
    for (; i < text.size() && name[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return i == text.size() && name[i] == '\0';
}

const PrinterValue* ValueTable::ByNumber(int number) const {
    return Find(*this, [number](const PrinterValue& v) { return v.number == number; });
}

const PrinterValue* ValueTable::ByCode(std::uint8_t code) const {
    return Find(*this, [code](const PrinterValue& v) { return v.code == code; });
}

const PrinterValue* ValueTable::ByCpcl(char letter) const {
    return Find(*this, [letter](const PrinterValue& v) { return v.cpcl != 0 && v.cpcl == letter; });
}

const PrinterValue* ValueTable::ByName(const std::string& name) const {
    return Find(*this, [&name](const PrinterValue& v) {
        return SameLetters(name, v.name) || (v.alias != nullptr && SameLetters(name, v.alias));
    });
}

const PrinterValue* ValueOf(LineField field, const SerialLineSettings& line) {
    const LineFieldSpec& spec = Field(field);
    return spec.values.ByNumber(line.*spec.member);
}

bool IsSendablePin(const std::string& pin) {
    if (pin.size() > static_cast<std::size_t>(kMaxPinLength)) {
        return false;
    }
    for (const char c : pin) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '"') {
            return false;
        }
    }
    return true;
}

}  // namespace tarvek
