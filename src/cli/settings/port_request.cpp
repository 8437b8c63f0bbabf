#include "cli/settings/port_request.h"

#include "link/port_kind.h"

namespace tarvek::cli {
namespace {

// A line option is named as its key within the serial group ("--baud" sets serial.baud) and
// takes the key's values.
const KeySpec& OptionKey(int field) {
    return Spec(LineKey(static_cast<LineField>(field)));
}

}  // namespace

LineOptions::LineOptions() {
    for (int f = 0; f < kLineFieldCount; ++f) {
        Value value;
        value.number = kFirstChoiceLine.*kLineFields[f].member;
        field[f] = FormatValue(OptionKey(f), value);
    }
}

std::string LineOptionName(LineField field) {
    return MemberName(Spec(LineKey(field)));
}

bool MakePortRequest(const std::string& port, const LineOptions& line, PortRequest& request,
                     InputError& error) {
    if (!CanonicalPortName(port, request.portName, request.link)) {
        error.problem = Problem::BadValue;
        error.key = "--port";
        error.value = port;
        return false;
    }
    request.kind = TransportFor(request.link);
    for (int f = 0; f < kLineFieldCount; ++f) {
        const KeySpec& key = OptionKey(f);
        Value value;
        if (!ParseValue(key, line.field[f], value)) {
            error.problem = Problem::BadValue;
            error.key = "--" + MemberName(key);
            error.value = line.field[f];
            error.detail = key.name;  // the key whose values it takes
            return false;
        }
        request.line.*kLineFields[f].member = static_cast<int>(value.number);
    }
    return true;
}

bool OnSerialLine(const PortRequest& request) {
    return request.link == LinkKind::Serial;
}

std::vector<std::pair<std::string, std::string>> LineValues(const SerialLineSettings& line) {
    std::vector<std::pair<std::string, std::string>> values;
    for (int f = 0; f < kLineFieldCount; ++f) {
        Value value;
        value.number = line.*kLineFields[f].member;
        values.emplace_back(MemberName(OptionKey(f)), FormatValue(OptionKey(f), value));
    }
    return values;
}

std::string LineFlags(const SerialLineSettings& line) {
    std::string flags;
    for (const auto& [name, value] : LineValues(line)) {
        flags += (flags.empty() ? "--" : " --") + name + " " + value;
    }
    return flags;
}

}  // namespace tarvek::cli
