// KEY=VALUE arguments (one per line of the input) and the rules across them: never a crash; a
// value taken shows as a text that parses back to the same value.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/settings/key_value_input.h"
#include "cli/settings/setting_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    tarvek::cli::Settings settings;
    for (std::string line; std::getline(lines, line);) {
        tarvek::cli::InputError error;
        if (!tarvek::cli::AddKeyValue(settings, line, nullptr, error) &&
            error.problem == tarvek::cli::Problem::None) {
            std::abort();
        }
    }
    for (const auto& [id, value] : settings) {
        const tarvek::cli::KeySpec& spec = tarvek::cli::Spec(id);
        tarvek::cli::Value back;
        if (!tarvek::cli::ParseValue(spec, tarvek::cli::FormatValue(spec, value), back) ||
            back != value) {
            std::abort();
        }
    }
    tarvek::cli::InputError error;
    const tarvek::SerialLineSettings line{19200, 0, 1, 0, 0};
    if (!tarvek::cli::CheckSettings(settings, line, error) && error.key.empty() &&
        error.problem != tarvek::cli::Problem::DataBitsParity) {
        std::abort();  // a refusal names its key
    }
    return 0;
}
