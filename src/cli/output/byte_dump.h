// Bytes as a technician reads them: spaced hex beside the printable text, sixteen to a line.
#pragma once

#include <string>

#include "link/printer_link.h"

namespace tarvek::cli {

inline constexpr std::size_t kDumpBytesPerLine = 16;

// "1C 45 43".
std::string HexText(const Bytes& bytes);
// The bytes 0x20..0x7E as they are, every other one as ".".
std::string PrintableText(const Bytes& bytes);
// One line per sixteen bytes: lead (first line) or as many blanks, the hex padded to its full
// width, then the text between bars.
std::string DumpLines(const Bytes& bytes, const std::string& lead);

// A piece of an answer: its time after the write ("  +   12 ms "), then its lines.
std::string PieceLines(std::uint32_t atMs, const Bytes& bytes);

}  // namespace tarvek::cli
