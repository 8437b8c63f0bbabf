#include "cli/port_address.h"

#include <cctype>
#include <iterator>

#include "link/usb_port_name.h"

namespace tarvek::cli {
namespace {

// The line options in the order of LineOptions and of the dialogs' lists.
struct LineOption {
    const char* flag;
    KeyId key;
    int SerialLineSettings::*field;
};
constexpr LineOption kLineOptions[] = {
    {"--baud", KeyId::SerialBaud, &SerialLineSettings::baudRate},
    {"--parity", KeyId::SerialParity, &SerialLineSettings::parityIndex},
    {"--data-bits", KeyId::SerialDataBits, &SerialLineSettings::dataBitsIndex},
    {"--stop-bits", KeyId::SerialStopBits, &SerialLineSettings::stopBitsIndex},
    {"--flow", KeyId::SerialFlow, &SerialLineSettings::flowIndex},
};

}  // namespace

bool MakePortRequest(const std::string& port, const LineOptions& line, PortRequest& request,
                     InputError& error) {
    static const std::string kDevicePrefix = "\\\\.\\";
    std::string name = port.compare(0, kDevicePrefix.size(), kDevicePrefix) == 0
                           ? port.substr(kDevicePrefix.size())
                           : port;
    if (name.empty()) {
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
    request.portName = upper == "USB" ? "USB" : comPort ? upper : name;
    const std::string* texts[] = {&line.baud, &line.parity, &line.dataBits, &line.stopBits,
                                  &line.flow};
    for (std::size_t i = 0; i < std::size(kLineOptions); ++i) {
        const LineOption& option = kLineOptions[i];
        Value value;
        if (!ParseValue(Spec(option.key), *texts[i], value)) {
            error.problem = Problem::BadValue;
            error.key = option.flag;
            error.value = *texts[i];
            error.detail = Spec(option.key).name;  // the key whose values it takes
            return false;
        }
        request.line.*option.field = static_cast<int>(value.number);
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> LineValues(const SerialLineSettings& line) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const LineOption& option : kLineOptions) {
        Value value;
        value.number = line.*option.field;
        values.emplace_back(option.flag + 2, FormatValue(Spec(option.key), value));
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
