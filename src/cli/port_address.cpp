#include "cli/port_address.h"

#include <cctype>

namespace tarvek::cli {

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
    request.kind = upper == "USB" ? TransportKind::Usb : TransportKind::Serial;
    // A COM port's name in any case is the same port; the installed printers name it in
    // capitals ("COM3:"), and the holder check compares exactly.
    const bool comPort = upper.size() > 3 && upper.compare(0, 3, "COM") == 0 &&
                         upper.find_first_not_of("0123456789", 3) == std::string::npos;
    request.portName = request.kind == TransportKind::Usb ? "USB" : comPort ? upper : name;
    const struct {
        const char* flag;
        KeyId key;
        const std::string* text;
        int SerialLineSettings::*field;
    } kOptions[] = {
        {"--baud", KeyId::SerialBaud, &line.baud, &SerialLineSettings::baudRate},
        {"--parity", KeyId::SerialParity, &line.parity, &SerialLineSettings::parityIndex},
        {"--data-bits", KeyId::SerialDataBits, &line.dataBits, &SerialLineSettings::dataBitsIndex},
        {"--stop-bits", KeyId::SerialStopBits, &line.stopBits, &SerialLineSettings::stopBitsIndex},
        {"--flow", KeyId::SerialFlow, &line.flow, &SerialLineSettings::flowIndex},
    };
    for (const auto& option : kOptions) {
        Value value;
        if (!ParseValue(Spec(option.key), *option.text, value)) {
            error.problem = Problem::BadValue;
            error.key = option.flag;
            error.value = *option.text;
            error.detail = Spec(option.key).name;  // the key whose values it takes
            return false;
        }
        request.line.*option.field = static_cast<int>(value.number);
    }
    return true;
}

}  // namespace tarvek::cli
