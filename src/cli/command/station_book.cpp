#include "cli/command/station_book.h"

namespace tarvek::cli {

bool StationBook::OpenAudit(const std::string& path, std::string& unwritable) {
    if (path.empty()) {
        return true;
    }
    m_audit.open(path, std::ios::app | std::ios::binary);
    unwritable = m_audit ? "" : path;
    return static_cast<bool>(m_audit);
}

const UnitRow* StationBook::TakeRow(const std::string& address) {
    if (m_units == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_units->byAddress) {
        return RowFor(*m_units, address);
    }
    return m_nextRow < m_units->rows.size() ? &m_units->rows[m_nextRow++] : nullptr;
}

void StationBook::Record(const UnitRow* row, const std::string& line, const StationCase& done) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (done.ok && row != nullptr) {
        m_provisioned.insert(row);
    }
    m_cases.push_back(done);
    if (m_audit.is_open()) {
        // One write of the whole line: another station appending to the file splits no record.
        m_audit.write(line.data(), static_cast<std::streamsize>(line.size()));
        m_audit.flush();
    }
}

bool StationBook::RowsUsedUp() const {
    if (m_units == nullptr) {
        return false;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_units->byAddress ? m_provisioned.size() == m_units->rows.size()
                              : m_nextRow == m_units->rows.size();
}

std::vector<int> StationBook::RowsUndone() const {
    std::vector<int> lines;
    if (m_units != nullptr) {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const UnitRow& row : m_units->rows) {
            if (m_provisioned.count(&row) == 0) {
                lines.push_back(row.line);
            }
        }
    }
    return lines;
}

std::vector<StationCase> StationBook::Cases() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cases;
}

}  // namespace tarvek::cli
