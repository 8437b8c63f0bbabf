// Helpers of the simulator's tests: feed a command and take the answer it gets.
#pragma once

#include <string>

#include "sim/printer_model.h"

namespace tarvek::sim::testing {

inline Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
inline std::string AsText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Feeds a command at now and returns everything answered within the next second.
inline Bytes Exchange(PrinterModel& model, const Bytes& command, std::uint32_t& now) {
    model.Feed(command, now);
    now += 1000;
    return model.Collect(now);
}
inline Bytes Exchange(PrinterModel& model, const std::string& command, std::uint32_t& now) {
    return Exchange(model, Text(command), now);
}

// The framed module command.
inline Bytes Framed(const std::string& command) {
    return BuildCommandFrame(command);
}

}  // namespace tarvek::sim::testing
