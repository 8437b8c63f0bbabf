// What the ports of one station share, each port's worker writing to it from its own thread:
// the unit rows (a row goes to one printer at a time and counts once provisioned), the audit
// file (one whole line per printer, never two mixed) and the cases of the test report.
#pragma once

#include <cstdint>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "cli/output/junit_report.h"
#include "cli/settings/unit_rows.h"

namespace tarvek::cli {

class StationBook {
  public:
    explicit StationBook(const Units* units) : m_units(units) {}

    // false (and the path) when the audit file cannot be opened for appending.
    bool OpenAudit(const std::string& path, std::string& unwritable);
    // The row for the printer with this address (the next row when rows go in order);
    // nullptr when the units file has none, or none left.
    const UnitRow* TakeRow(const std::string& address);
    // auditLine: the printer's line in the audit file.
    void Record(const UnitRow* row, const std::string& auditLine, const StationCase& done);
    // With a units file: every row is provisioned, or handed out in order.
    bool RowsUsedUp() const;
    // The lines of the rows no printer took successfully.
    std::vector<int> RowsUndone() const;
    std::vector<StationCase> Cases() const;

  private:
    const Units* m_units;
    mutable std::mutex m_mutex;
    std::size_t m_nextRow = 0;
    std::set<const UnitRow*> m_provisioned;
    std::ofstream m_audit;
    std::vector<StationCase> m_cases;
};

}  // namespace tarvek::cli
