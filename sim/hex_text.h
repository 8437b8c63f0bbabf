// Bytes as hex text, the way the Wi-Fi module reads and writes register images.
#pragma once

#include <cstddef>
#include <string>

#include "link/printer_link.h"

namespace tarvek::sim {

// Upper-case digit pairs, one blank between bytes: "03 00 0C".
std::string SpacedHex(const Bytes& bytes);
// Upper-case digit pairs without separators: "03000C".
std::string HexDigits(const Bytes& bytes);
// Hex digits of either case, in pairs, high half first; every other character is skipped and
// a final unpaired digit is dropped.
Bytes DecodeHexDigits(const char* text, std::size_t length);

}  // namespace tarvek::sim
