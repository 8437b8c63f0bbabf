#include "cli/settings/port_request.h"

#include <cctype>
#include <iterator>

#include "link/bluetooth.h"
#include "link/tcp_link.h"
#include "link/usb_port_name.h"

namespace tarvek::cli {
namespace {

// A line option is named as its key within the serial group ("--baud" sets serial.baud) and
// takes the key's values.
const KeySpec& OptionKey(int field) {
    return Spec(LineKey(static_cast<LineField>(field)));
}

}  // namespace

bool MakePortRequest(const std::string& port, const LineOptions& line, PortRequest& request,
                     InputError& error) {
    static const std::string kDevicePrefix = "\\\\.\\";
    std::string name = port.compare(0, kDevicePrefix.size(), kDevicePrefix) == 0
                           ? port.substr(kDevicePrefix.size())
                           : port;
    std::string address;
    const bool bluetooth = IsBluetoothPortName(name);
    TcpAddress network;
    if (name.empty() || (bluetooth && !ParseBluetoothPortName(name, address)) ||
        (IsTcpPortName(name) && !ParseTcpPortName(name, network))) {
        error.problem = Problem::BadValue;
        error.key = "--port";
        error.value = port;
        return false;
    }
    std::string upper = name;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    request.kind = TransportForPort(name);
    // A COM port's name in any case is the same port; the installed printers name it in
    // capitals ("COM3:"), and the holder check compares exactly.
    const bool comPort = upper.size() > 3 && upper.compare(0, 3, "COM") == 0 &&
                         upper.find_first_not_of("0123456789", 3) == std::string::npos;
    request.portName = bluetooth             ? "bt:" + address
                       : IsTcpPortName(name) ? TcpPortName(network)
                       : upper == "USB"      ? "USB"
                       : comPort             ? upper
                                             : name;
    // In the order of the line's fields.
    const std::string* texts[] = {&line.baud, &line.parity, &line.dataBits, &line.stopBits,
                                  &line.flow};
    static_assert(std::size(texts) == kLineFieldCount, "one option per line field");
    for (int f = 0; f < kLineFieldCount; ++f) {
        const KeySpec& key = OptionKey(f);
        Value value;
        if (!ParseValue(key, *texts[f], value)) {
            error.problem = Problem::BadValue;
            error.key = "--" + MemberName(key);
            error.value = *texts[f];
            error.detail = key.name;  // the key whose values it takes
            return false;
        }
        request.line.*kLineFields[f].member = static_cast<int>(value.number);
    }
    return true;
}

bool OnSerialLine(const PortRequest& request) {
    return request.kind == TransportKind::Serial && !IsTcpPortName(request.portName) &&
           !IsBluetoothPortName(request.portName);
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
