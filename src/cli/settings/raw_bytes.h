// Bytes as a technician types them for a raw exchange: hex pairs ("1C 45 43"), or text with
// the escapes a terminal user expects ("\r\n", "\x1b").
#pragma once

#include <string>

#include "link/printer_link.h"

namespace tarvek::cli {

// Pairs of hex digits (either case), blanks allowed between pairs; false for any other
// character, a digit without its pair or no digit at all.
bool ParseHexBytes(const std::string& text, Bytes& bytes);
// The text's bytes with \r, \n, \t, \\ and \xHH (two hex digits) replaced; false for another
// escape or a \x without two digits.
bool ParseEscapedText(const std::string& text, Bytes& bytes);

}  // namespace tarvek::cli
