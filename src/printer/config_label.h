// A configuration label built on the host, in the command language of the printer's emulation:
// a title, one "caption: value" line per setting and a QR code of a text (the Bluetooth address,
// for pairing by camera). The caller gives the captions and values as bytes of the printer's
// code page; a control byte in them is printed as "?" so that a value can never end a line or
// start a command of its own.
#pragma once

#include <string>
#include <vector>

#include "link/printer_link.h"

namespace tarvek {

struct LabelLine {
    std::string caption;
    std::string value;
};

struct ConfigLabel {
    std::string title;
    std::vector<LabelLine> lines;
    std::string qrText;  // "" for no QR code
};

// CPCL: one label form ("! 0 200 200 height 1", a TEXT line per line, B QR, PRINT). ESC/POS:
// the lines as print data, then the QR code (GS "(" "k": module size, error correction M, store,
// print) and three line feeds. Empty for another emulation.
Bytes BuildConfigLabel(int emulation, const ConfigLabel& label);

}  // namespace tarvek
