#include "cli/settings/unit_rows.h"

#include <cctype>

#include "cli/settings/csv_records.h"
#include "cli/settings/text_files.h"

namespace tarvek::cli {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool Fail(InputError& error, Problem problem, const std::string& source, int line) {
    error.problem = problem;
    error.source = source;
    error.line = line;
    return false;
}

}  // namespace

bool ReadUnits(const std::string& text, const std::string& source, const EnvLookup& env,
               Units& units, InputError& error) {
    std::vector<CsvRecord> records;
    int openLine = 0;
    if (!ReadCsvRecords(text, records, openLine)) {
        return Fail(error, Problem::OpenQuote, source, openLine);
    }
    if (records.empty()) {
        return Fail(error, Problem::NoUnits, source, 0);
    }
    std::vector<const KeySpec*> columns;  // nullptr: the address column
    for (const std::string& name : records.front().cells) {
        const KeySpec* spec = FindKey(name);
        if (spec == nullptr && name != kAddressColumn) {
            error.key = name;
            return Fail(error, Problem::UnknownKey, source, records.front().line);
        }
        units.byAddress = units.byAddress || spec == nullptr;
        columns.push_back(spec);
    }
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        const std::vector<std::string>& cells = record->cells;
        if (cells.size() > columns.size()) {
            return Fail(error, Problem::BadUnitsRow, source, record->line);
        }
        UnitRow row;
        row.line = record->line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (columns[i] == nullptr) {
                row.address = cells[i];
            } else if (!cells[i].empty() &&
                       !AddSetting(row.settings, *columns[i], cells[i], env, error)) {
                return Fail(error, error.problem, source, row.line);
            }
        }
        units.rows.push_back(row);
    }
    if (units.rows.empty()) {
        return Fail(error, Problem::NoUnits, source, 0);
    }
    return true;
}

bool LoadUnits(const std::string& path, const EnvLookup& env, Units& units, InputError& error) {
    std::string text;
    if (!ReadFileText(path, text)) {
        return Fail(error, Problem::FileUnreadable, path, 0);
    }
    return ReadUnits(text, path, env, units, error);
}

const UnitRow* RowFor(const Units& units, const std::string& address) {
    for (const UnitRow& row : units.rows) {
        if (Lower(row.address) == Lower(address)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace tarvek::cli
