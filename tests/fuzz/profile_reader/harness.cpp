// ReadProfile over any text: never throws or crashes, and a profile it takes holds only values
// that write out and read back as themselves.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/settings/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tarvek::cli::EnvLookup env = [](const std::string& name, std::string& value) {
        value = name;
        return name.size() % 2 == 0;
    };
    tarvek::cli::Settings settings;
    tarvek::cli::InputError error;
    if (!tarvek::cli::ReadProfile(text, "fuzz", env, settings, error)) {
        if (error.problem == tarvek::cli::Problem::None) {
            std::abort();  // a refusal always says why
        }
        return 0;
    }
    const tarvek::cli::ProfileText written = tarvek::cli::WriteProfile(settings, true);
    tarvek::cli::Settings again;
    if (!written.leftOut.empty() ||
        !tarvek::cli::ReadProfile(written.text, "again", nullptr, again, error) ||
        again != settings) {
        std::abort();
    }
    return 0;
}
