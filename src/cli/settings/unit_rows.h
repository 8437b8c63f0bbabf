// The units file of the station loop: CSV as csv_records.h reads it, a header of keys, one row per
// printer with that unit's values (a PIN, a static address). With a "bluetooth.address" column a
// row belongs to the printer with that address; without one the rows go to the printers in the
// order they come. An empty cell leaves the key to the profile.
#pragma once

#include <string>
#include <vector>

#include "cli/settings/key_value_input.h"

namespace tarvek::cli {

inline constexpr const char* kAddressColumn = "bluetooth.address";

struct UnitRow {
    int line = 0;
    std::string address;
    Settings settings;
};

struct Units {
    bool byAddress = false;
    std::vector<UnitRow> rows;
};

bool ReadUnits(const std::string& text, const std::string& source, const EnvLookup& env,
               Units& units, InputError& error);
bool LoadUnits(const std::string& path, const EnvLookup& env, Units& units, InputError& error);

// The row of a Bluetooth address (letters in any case); nullptr when there is none.
const UnitRow* RowFor(const Units& units, const std::string& address);

}  // namespace tarvek::cli
