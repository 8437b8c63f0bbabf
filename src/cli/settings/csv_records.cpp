#include "cli/settings/csv_records.h"

#include <csv.h>

#include <string_view>

namespace tarvek::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Lines end at a line feed alone, so a record ends only where a line does; the carriage return
// of a CRLF file counts as a space.
int IsSpace(unsigned char c) {
    return c == ' ' || c == '\r';
}

int IsLineEnd(unsigned char c) {
    return c == '\n';
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \r");
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

// The header's separator: the first of "," ";" and tab on its line ("," when there is none).
unsigned char SeparatorOf(const std::string& line) {
    const std::size_t at = line.find_first_of(",;\t");
    return at == std::string::npos ? ',' : static_cast<unsigned char>(line[at]);
}

// The records as libcsv hands over their cells.
struct Gathered {
    std::vector<CsvRecord>& records;
    CsvRecord current;
    bool ended = false;  // the line fed last ended a record
};

void AddCell(void* cell, std::size_t size, void* gathered) {
    auto& g = *static_cast<Gathered*>(gathered);
    g.current.cells.push_back(
        size == 0 ? "" : Trimmed(std::string(static_cast<const char*>(cell), size)));
}

void EndRecord(int, void* gathered) {
    auto& g = *static_cast<Gathered*>(gathered);
    g.records.push_back(std::move(g.current));
    g.current = CsvRecord{};
    g.ended = true;
}

// libcsv's parser (not strict: a quote inside an unquoted cell is kept as it is), freed with it.
class CsvParser {
  public:
    CsvParser() {
        csv_init(&m_parser, 0);
        csv_set_space_func(&m_parser, IsSpace);
        csv_set_term_func(&m_parser, IsLineEnd);
    }
    ~CsvParser() { csv_free(&m_parser); }
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    void SetSeparator(unsigned char separator) { csv_set_delim(&m_parser, separator); }

    // False when libcsv could not grow its buffer.
    bool Feed(const std::string& bytes, Gathered& gathered) {
        return csv_parse(&m_parser, bytes.data(), bytes.size(), AddCell, EndRecord, &gathered) ==
               bytes.size();
    }

  private:
    csv_parser m_parser{};
};

}  // namespace

bool ReadCsvRecords(const std::string& text, std::vector<CsvRecord>& records, int& openLine) {
    std::string_view rest = text;
    if (rest.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        rest.remove_prefix(kByteOrderMark.size());
    }
    CsvParser parser;
    Gathered gathered{records, {}, false};
    bool separatorSet = false, inRecord = false;
    // One line at a time, so that a record's line is known and a comment is one only where a
    // record could start (inside a quoted cell a "#" line is the cell's).
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!inRecord) {
            const std::string bare = Trimmed(line);
            if (bare.empty() || bare[0] == '#') {
                continue;
            }
            if (!separatorSet) {
                parser.SetSeparator(SeparatorOf(line));
                separatorSet = true;
            }
            gathered.current.line = number;
        }
        gathered.ended = false;
        if (!parser.Feed(line + '\n', gathered)) {
            inRecord = true;  // the rest is not read: refused as the record it stopped in
            break;
        }
        inRecord = !gathered.ended;
    }
    openLine = gathered.current.line;
    return !inRecord;
}

}  // namespace tarvek::cli
