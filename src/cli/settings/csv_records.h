// A CSV text as people and spreadsheets write it, as records: a UTF-8 byte-order mark at the
// start is skipped, the separator ("," ";" or a tab) is the first of them on the first record's
// line, a quoted cell may hold separators, doubled quotes and line breaks. Between records, blank
// lines and lines starting with "#" are skipped. Cells come trimmed of spaces.
#pragma once

#include <string>
#include <vector>

namespace tarvek::cli {

struct CsvRecord {
    int line = 0;  // the line of the text the record starts on, from 1
    std::vector<std::string> cells;
};

// False when a quoted cell is still open at the end of the text (its closing quote is missing
// and it would take in every line after it), or when libcsv could not grow its buffer;
// `openLine` is then the line the record starts on.
bool ReadCsvRecords(const std::string& text, std::vector<CsvRecord>& records, int& openLine);

}  // namespace tarvek::cli
