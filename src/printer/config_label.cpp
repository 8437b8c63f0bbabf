#include "printer/config_label.h"

#include "printer/printer_domain.h"

namespace tarvek {
namespace {

constexpr std::uint8_t GS = 0x1D;
// CPCL: font 7 at size 0 is 24 dots high; a line every 30 dots from a 10-dot margin, and room
// for a QR code of up to 25 modules at 6 dots each.
constexpr int kCpclMargin = 10;
constexpr int kCpclLineDots = 30;
constexpr int kCpclQrDots = 160;
constexpr std::uint8_t kQrModuleDots = 6;
constexpr std::uint8_t kQrErrorCorrectionM = 0x31;

std::string Printable(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return out;
}

std::vector<std::string> TextLines(const ConfigLabel& label) {
    std::vector<std::string> lines{Printable(label.title)};
    for (const LabelLine& line : label.lines) {
        lines.push_back(Printable(line.caption) + ": " + Printable(line.value));
    }
    return lines;
}

void Append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

Bytes CpclLabel(const ConfigLabel& label) {
    const std::vector<std::string> lines = TextLines(label);
    const int qrTop = kCpclMargin + kCpclLineDots * static_cast<int>(lines.size());
    const int height = qrTop + (label.qrText.empty() ? 0 : kCpclQrDots) + kCpclMargin;
    Bytes bytes;
    Append(bytes, "! 0 200 200 " + std::to_string(height) + " 1\r\n");
    int y = kCpclMargin;
    for (const std::string& line : lines) {
        Append(bytes, "TEXT 7 0 " + std::to_string(kCpclMargin) + " " + std::to_string(y) + " " +
                          line + "\r\n");
        y += kCpclLineDots;
    }
    if (!label.qrText.empty()) {
        Append(bytes, "B QR " + std::to_string(kCpclMargin) + " " + std::to_string(qrTop) +
                          " M 2 U " + std::to_string(kQrModuleDots) + "\r\nMA," +
                          Printable(label.qrText) + "\r\nENDQR\r\n");
    }
    Append(bytes, "PRINT\r\n");
    return bytes;
}

// GS "(" "k" with its length, symbol type "1" (QR), the function and its bytes.
void AppendQrFunction(Bytes& bytes, std::uint8_t function, const std::string& data) {
    const std::size_t length = data.size() + 2;
    bytes.insert(bytes.end(), {GS, '(', 'k', static_cast<std::uint8_t>(length & 0xFF),
                               static_cast<std::uint8_t>(length >> 8), 0x31, function});
    Append(bytes, data);
}

Bytes EscPosLabel(const ConfigLabel& label) {
    Bytes bytes;
    for (const std::string& line : TextLines(label)) {
        Append(bytes, line + "\n");
    }
    if (!label.qrText.empty()) {
        AppendQrFunction(bytes, 0x43, std::string(1, static_cast<char>(kQrModuleDots)));
        AppendQrFunction(bytes, 0x45, std::string(1, static_cast<char>(kQrErrorCorrectionM)));
        AppendQrFunction(bytes, 0x50, "0" + Printable(label.qrText));
        AppendQrFunction(bytes, 0x51, "0");
    }
    Append(bytes, "\n\n\n");
    return bytes;
}

}  // namespace

Bytes BuildConfigLabel(int emulation, const ConfigLabel& label) {
    switch (emulation) {
        case kEmulationCpcl:
            return CpclLabel(label);
        case kEmulationEscPos:
            return EscPosLabel(label);
        default:
            return Bytes();
    }
}

}  // namespace tarvek
