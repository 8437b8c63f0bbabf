#include "cli/settings/unit_rows.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cli/settings/text_files.h"

namespace tarvek::cli {
namespace {

// One CSV record: cells split at commas, a quoted cell may hold commas and doubled quotes.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first);
}

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
    std::istringstream in(text);
    std::string line;
    std::vector<const KeySpec*> columns;  // nullptr: the address column
    bool header = false;
    for (int number = 1; std::getline(in, line); ++number) {
        if (Trimmed(line).empty() || Trimmed(line)[0] == '#') {
            continue;
        }
        std::vector<std::string> cells = Cells(line);
        std::transform(cells.begin(), cells.end(), cells.begin(), Trimmed);
        if (!header) {
            for (const std::string& name : cells) {
                const KeySpec* spec = FindKey(name);
                if (spec == nullptr && name != kAddressColumn) {
                    error.key = name;
                    return Fail(error, Problem::UnknownKey, source, number);
                }
                units.byAddress = units.byAddress || spec == nullptr;
                columns.push_back(spec);
            }
            header = true;
            continue;
        }
        if (cells.size() > columns.size()) {
            return Fail(error, Problem::BadUnitsRow, source, number);
        }
        UnitRow row;
        row.line = number;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (columns[i] == nullptr) {
                row.address = cells[i];
            } else if (!cells[i].empty() &&
                       !AddSetting(row.settings, *columns[i], cells[i], env, error)) {
                return Fail(error, error.problem, source, number);
            }
        }
        units.rows.push_back(row);
    }
    if (!header || units.rows.empty()) {
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
