#include "sim/printer_model.h"

#include <algorithm>
#include <cstring>

#include "printer/code_page_table.h"
#include "printer/printer_domain.h"

namespace tarvek::sim {
namespace {

constexpr std::uint8_t kEsc = 0x1B, kFs = 0x1C, kGs = 0x1D;
constexpr std::size_t kMaxCpclLine = 512;
constexpr std::size_t kMaxPin = 32;
constexpr std::size_t kMaxPrintData = 65536;

const std::string kAck = "701\r\n";
const std::string kRefused = "702 ERROR\r\n";

// Wrap-safe "a is not before b".
bool NotBefore(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b) >= 0;
}

bool SameLine(const SerialLineSettings& a, const SerialLineSettings& b) {
    return a.baudRate == b.baudRate && a.parityIndex == b.parityIndex &&
           a.dataBitsIndex == b.dataBitsIndex && a.stopBitsIndex == b.stopBitsIndex;
}

// The ESC/POS serial command's digits (baud rate, data bits, parity, stop bits, flow) as a
// line; false when one is outside its table.
bool LineFromDigits(const Bytes& c, SerialLineSettings& line) {
    const LineField order[] = {LineField::Baud, LineField::DataBits, LineField::Parity,
                               LineField::StopBits, LineField::Flow};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        const PrinterValue* value = Field(order[i]).values.ByCode(c[4 + i]);
        if (value == nullptr) {
            return false;
        }
        line.*Field(order[i]).member = value->number;
    }
    return true;
}

bool EndsWith(const Bytes& bytes, const std::string& end) {
    return bytes.size() >= end.size() &&
           std::equal(end.begin(), end.end(), bytes.end() - end.size());
}

// A CPCL label form begins "! " and its offset's digit (a command line "! U1").
bool IsLabelForm(const Bytes& c) {
    return c.size() >= 3 && c[1] == ' ' && c[2] >= '0' && c[2] <= '9';
}

// The value between the first pair of double quotes after position from; false if none.
bool QuotedAt(const std::string& line, std::size_t from, std::string& value, std::size_t& end) {
    const std::size_t open = line.find('"', from);
    if (open == std::string::npos) {
        return false;
    }
    const std::size_t close = line.find('"', open + 1);
    if (close == std::string::npos) {
        return false;
    }
    value = line.substr(open + 1, close - open - 1);
    end = close + 1;
    return true;
}

// The table index of group/register texts; -1 when the table has none.
int RegisterIndexOf(const std::string& group, const std::string& number) {
    for (int index = 0; index < kRegisterCount; ++index) {
        const ModuleRegister* reg = RegisterAt(index);
        if (group == reg->group && number == reg->number) {
            return index;
        }
    }
    return -1;
}

// The read reply: "701" CR LF, the image as spaced hex, CR LF.
std::string ReadReply(const Bytes& image) {
    std::string hex = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
    return kAck + hex + "\n";
}

}  // namespace

PrinterModel::PrinterModel(PrinterState state, Faults faults)
    : m_state(std::move(state)), m_faults(std::move(faults)) {}

void PrinterModel::SetHostLine(const SerialLineSettings& host) {
    m_hostLine = host;
    m_bHostLineKnown = true;
}

bool PrinterModel::LineMatches() const {
    return !m_bHostLineKnown || SameLine(m_hostLine, m_state.serial);
}

bool PrinterModel::UsbPresent(std::uint32_t nowMs) {
    if (m_bUsbForcedGone) {
        return false;
    }
    if (m_bUsbGone && m_faults.usbGoneForMs > 0 &&
        NotBefore(nowMs, m_usbGoneSinceMs + m_faults.usbGoneForMs)) {
        m_bUsbGone = false;
    }
    return !m_bUsbGone;
}

void PrinterModel::Feed(const std::uint8_t* data, int length, std::uint32_t nowMs) {
    Advance(nowMs);
    for (int i = 0; i < length; ++i) {
        if (m_faults.stopAfterHostByte >= 0 && m_nHostBytes >= m_faults.stopAfterHostByte) {
            return;
        }
        ++m_nHostBytes;
        if (!LineMatches()) {
            continue;  // noise on a mismatched line
        }
        TakeByte(data[i], nowMs);
        m_lastByteMs = nowMs;
    }
}

void PrinterModel::Advance(std::uint32_t nowMs) {
    if (m_bOpenEnded && NotBefore(nowMs, m_lastByteMs + m_commandPauseMs)) {
        FinishOpenEnded(nowMs);
    }
}

Bytes PrinterModel::Collect(std::uint32_t nowMs) {
    Bytes out;
    for (const Bytes& chunk : CollectChunks(nowMs)) {
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

std::vector<Bytes> PrinterModel::CollectChunks(std::uint32_t nowMs) {
    Advance(nowMs);
    std::vector<Bytes> out;
    while (!m_answers.empty() && NotBefore(nowMs, m_answers.front().dueMs)) {
        out.push_back(std::move(m_answers.front().bytes));
        m_answers.pop_front();
    }
    return out;
}

bool PrinterModel::NextEventMs(std::uint32_t& atMs) const {
    bool any = false;
    if (!m_answers.empty()) {
        atMs = m_answers.front().dueMs;
        any = true;
    }
    if (m_bOpenEnded) {
        const std::uint32_t end = m_lastByteMs + m_commandPauseMs;
        if (!any || !NotBefore(end, atMs)) {
            atMs = end;
        }
        any = true;
    }
    return any;
}

void PrinterModel::TakeByte(std::uint8_t byte, std::uint32_t nowMs) {
    if (m_bOpenEnded) {
        if (NotBefore(nowMs, m_lastByteMs + m_commandPauseMs)) {
            FinishOpenEnded(nowMs);
        } else {
            const bool pin = m_command[0] == kEsc;
            const bool ends = !pin && (byte == kEsc || byte == kFs || byte == kGs);
            if (!ends) {
                m_command.push_back(byte);
                const std::size_t limit = pin ? 5 + kMaxPin : kMaxPrintData;
                if (m_command.size() >= limit) {
                    FinishOpenEnded(nowMs);
                }
                return;
            }
            FinishOpenEnded(nowMs);
        }
    }
    if (m_command.empty() && byte == 0x00) {
        return;  // the idle preamble, no command
    }
    m_command.push_back(byte);
    switch (Classify()) {
        case Scan::NeedMore:
            return;
        case Scan::OpenEnded:
            m_bOpenEnded = true;
            return;
        case Scan::Done: {
            Bytes command;
            command.swap(m_command);
            Execute(command, nowMs);
            return;
        }
        case Scan::Bad: {
            // Not a command: drop its first byte and look at the rest afresh.
            Bytes rest(m_command.begin() + 1, m_command.end());
            m_command.clear();
            for (std::uint8_t b : rest) {
                TakeByte(b, nowMs);
            }
            return;
        }
    }
}

PrinterModel::Scan PrinterModel::Classify() const {
    const Bytes& c = m_command;
    const std::size_t n = c.size();
    auto need = [n](std::size_t total) { return n < total ? Scan::NeedMore : Scan::Done; };
    if (n == 1 && (c[0] == kEsc || c[0] == kFs || c[0] == kGs || c[0] == '!')) {
        return Scan::NeedMore;
    }
    switch (c[0]) {
        case kFs:
            if (c[1] != 'E') {
                return Scan::Bad;
            }
            if (n < 3) {
                return Scan::NeedMore;
            }
            if (c[2] == 'C') {
                return Scan::Done;
            }
            return c[2] == 'S' || c[2] == 'P' ? need(4) : Scan::Bad;
        case kGs:
            if (c[1] == '(') {  // GS ( k pL pH and pL + 256 pH bytes (a 2D code)
                if (n < 5) {
                    return n == 3 && c[2] != 'k' ? Scan::Bad : Scan::NeedMore;
                }
                return need(5 + c[3] + 256u * c[4]);
            }
            if (c[1] != 'S') {
                return Scan::Bad;
            }
            if (n < 3) {
                return Scan::NeedMore;
            }
            if (c[2] == 'C') {
                return need(9);
            }
            return c[2] == 'P' ? need(5) : Scan::Bad;
        case kEsc:
            if (c[1] == 'b') {
                if (n < 3) {
                    return Scan::NeedMore;
                }
                if (c[2] != 't') {
                    return Scan::Bad;
                }
                if (n < 5) {
                    return n == 4 && c[3] != 0x01 && c[3] != 0x05 ? Scan::Bad : Scan::NeedMore;
                }
                if (c[3] == 0x05) {
                    return c[4] == 0x90 ? Scan::OpenEnded : Scan::Bad;
                }
                return Scan::Done;
            }
            if (c[1] == '[') {
                if (n < 3) {
                    return Scan::NeedMore;
                }
                if (c[2] == 'M') {
                    return need(4);
                }
                if (c[2] != 'D') {
                    return Scan::Bad;
                }
                return n < 4 ? Scan::NeedMore : need(4 + static_cast<std::size_t>(c[3]));
            }
            return Scan::Bad;
        case '!':
            if (IsLabelForm(c)) {  // "! 0 ...": a label form, up to its PRINT line
                return EndsWith(c, "\nPRINT\r\n") ? Scan::Done
                       : n > kMaxPrintData        ? Scan::Bad
                                                  : Scan::NeedMore;
            }
            if (c.back() == '\n') {
                return Scan::Done;
            }
            return n > kMaxCpclLine ? Scan::Bad : Scan::NeedMore;
        default:
            return Scan::OpenEnded;  // print data
    }
}

void PrinterModel::FinishOpenEnded(std::uint32_t nowMs) {
    m_bOpenEnded = false;
    Bytes command;
    command.swap(m_command);
    Execute(command, nowMs);
}

void PrinterModel::Answer(const Bytes& bytes, std::uint32_t nowMs) {
    if (m_faults.silent ||
        (m_faults.silentAfterCommands >= 0 && m_nCommands > m_faults.silentAfterCommands)) {
        return;
    }
    Bytes out = bytes;
    if (m_faults.garbage) {
        for (std::uint8_t& b : out) {
            b ^= 0x5A;
        }
    }
    const std::uint32_t due = nowMs + kAnswerDelayMs + m_faults.lateMs;
    const std::size_t pieces = static_cast<std::size_t>(std::max(1, m_faults.pieces));
    const std::size_t count = std::min(pieces, std::max<std::size_t>(out.size(), 1));
    const std::size_t size = out.size() / count;
    for (std::size_t i = 0; i < count; ++i) {
        const auto first = out.begin() + static_cast<std::ptrdiff_t>(i * size);
        const auto last = i + 1 == count ? out.end() : first + static_cast<std::ptrdiff_t>(size);
        m_answers.push_back(
            {due + static_cast<std::uint32_t>(i) * m_faults.pieceGapMs, Bytes(first, last)});
    }
}

void PrinterModel::Execute(const Bytes& c, std::uint32_t nowMs) {
    if (c.empty()) {
        return;
    }
    ++m_nCommands;
    const bool escPos = m_state.emulation == kEmulationEscPos;
    switch (c[0]) {
        case kFs:
            if (c[2] == 'C') {
                const bool cpcl = m_state.emulation == kEmulationCpcl;
                const bool ascii = m_state.answerForm == EmulationAnswerForm::Ascii;
                Answer(Bytes{static_cast<std::uint8_t>(cpcl ? (ascii ? '0' : 0x00)
                                                            : (ascii ? '1' : 0x01))},
                       nowMs);
            } else if (c[2] == 'S' && c[3] <= 1) {
                m_state.emulation = c[3] == 0 ? kEmulationCpcl : kEmulationEscPos;
                Changed();
            } else if (c[2] == 'P' && CodePageName(c[3]) != nullptr) {
                m_state.codePage = c[3];
                Changed();
            }
            break;
        case kGs:
            if (c[1] == '(') {
                ExecuteQrFunction(c);
            } else if (c[2] == 'P' && c[3] < 3) {
                m_state.powerSaveMode = c[3];
                m_state.powerSaveMinutes = c[4];
                Changed();
            } else if (c[2] == 'C' && escPos && c[3] == 0x01) {
                SerialLineSettings line{};
                if (LineFromDigits(c, line)) {
                    m_state.serial = line;
                    Changed();
                }
            }
            break;
        case kEsc:
            if (c[1] == 'b') {
                if (escPos) {
                    ExecuteEscBt(c, nowMs);
                }
            } else if (c[2] == 'M') {
                if (m_state.moduleKind != ModuleKind::Absent && c[3] <= 1) {
                    if (c[3] == 1) {
                        m_state.ispMode = true;
                        Answer(kAck, nowMs);
                    } else if (m_state.ispMode) {
                        // Leaving ISP mode drops every unflashed write.
                        m_state.ispMode = false;
                        m_state.unlocked = false;
                        m_state.working = m_state.flash;
                    }
                    Changed();
                }
            } else {
                ExecuteModuleCommand(std::string(c.begin() + 4, c.end()), nowMs);
            }
            break;
        case '!':
            if (escPos) {
                break;
            }
            if (IsLabelForm(c)) {
                m_state.pages.push_back({c, m_state.codePage, m_state.emulation});
                Changed();
            } else {
                ExecuteCpclLine(std::string(c.begin(), c.end()), nowMs);
            }
            break;
        default:
            m_state.pages.push_back({c, m_state.codePage, m_state.emulation});
            Changed();
            break;
    }
    if (m_faults.usbGoneAfterCommands >= 0 && m_nCommands == m_faults.usbGoneAfterCommands) {
        m_bUsbGone = true;
        m_usbGoneSinceMs = nowMs;
    }
}

void PrinterModel::ExecuteQrFunction(const Bytes& c) {
    // GS ( k pL pH cn fn ...: QR codes (cn "1") in ESC/POS only; store (fn "P", m "0") keeps the
    // data, print (fn "Q") prints what is stored as a page of its own.
    if (m_state.emulation != kEmulationEscPos || c.size() < 7 || c[5] != 0x31) {
        return;
    }
    if (c[6] == 0x50 && c.size() > 8 && c[7] == 0x30) {
        m_qrStore = c;
    } else if (c[6] == 0x51 && !m_qrStore.empty()) {
        m_state.pages.push_back({m_qrStore, m_state.codePage, m_state.emulation});
        Changed();
    }
}

void PrinterModel::ExecuteEscBt(const Bytes& c, std::uint32_t nowMs) {
    if (c[3] == 0x05) {
        m_state.bluetoothPin.assign(c.begin() + 5, c.end());
        Changed();
        return;
    }
    switch (c[4]) {
        case 0x0E:
            Answer(m_state.bluetoothAddress, nowMs);
            break;
        case 0x56:
            Answer(std::string(m_state.discoverable ? "on" : "off"), nowMs);
            break;
        case 0x05:
        case 0x06:
            m_state.discoverable = c[4] == 0x05;
            Changed();
            break;
        default:
            break;
    }
}

void PrinterModel::ExecuteCpclLine(const std::string& line, std::uint32_t nowMs) {
    static const std::string kGetvar = "! U1 getvar ";
    static const std::string kSetvar = "! U1 setvar ";
    std::string name, value;
    std::size_t end = 0;
    const bool get = line.compare(0, kGetvar.size(), kGetvar) == 0;
    const bool set = line.compare(0, kSetvar.size(), kSetvar) == 0;
    if ((!get && !set) || !QuotedAt(line, kGetvar.size(), name, end)) {
        return;
    }
    SerialLineSettings& s = m_state.serial;
    if (get) {
        std::string answer;
        if (name == "bluetooth.address") {
            answer = m_state.bluetoothAddress;
        } else if (name == "bluetooth.discoverable") {
            answer = m_state.discoverable ? "on" : "off";
        } else if (name == "bluetooth.bluetooth_pin") {
            answer = m_state.bluetoothPin;
        } else if (name == "comm.baud") {
            answer = std::to_string(s.baudRate);
        } else if (name == "comm.parity" || name == "comm.stop_bits") {
            const LineField field = name == "comm.parity" ? LineField::Parity : LineField::StopBits;
            const PrinterValue* value = ValueOf(field, s);
            answer = value == nullptr   ? "?"
                     : value->cpcl != 0 ? std::string(1, value->cpcl)
                                        : value->name;
        } else {
            answer = "?";
        }
        Answer("\"" + answer + "\"", nowMs);
        return;
    }
    if (name == "com_apply") {
        if (m_cpclPending.baudRate > 0) {
            s.baudRate = m_cpclPending.baudRate;
        }
        if (m_cpclPending.parityIndex >= 0) {
            s.parityIndex = m_cpclPending.parityIndex;
        }
        if (m_cpclPending.stopBitsIndex >= 0) {
            s.stopBitsIndex = m_cpclPending.stopBitsIndex;
        }
        m_cpclPending = kNothingStaged;
        Changed();
        return;
    }
    if (!QuotedAt(line, end, value, end)) {
        return;
    }
    if (name == "comm.baud") {
        const PrinterValue* baud = ValueTable(kPrinterBaudRates).ByName(value);
        if (baud != nullptr) {
            m_cpclPending.baudRate = baud->number;
        }
    } else if (name == "comm.parity") {
        const PrinterValue* parity =
            value.size() == 1 ? ValueTable(kParities).ByCpcl(value[0]) : nullptr;
        if (parity != nullptr) {
            m_cpclPending.parityIndex = parity->number;
        }
    } else if (name == "comm.stop_bits") {
        const PrinterValue* stopBits = ValueTable(kStopBits).ByName(value);
        if (stopBits != nullptr) {
            m_cpclPending.stopBitsIndex = stopBits->number;
        }
    } else if (name == "bluetooth.bluetooth_pin") {
        m_state.bluetoothPin = value;
        Changed();
    } else if (name == "bluetooth.discoverable") {
        if (value == "on" || value == "off") {
            m_state.discoverable = value == "on";
            Changed();
        }
    }
}

void PrinterModel::ExecuteModuleCommand(const std::string& command, std::uint32_t nowMs) {
    if (m_state.moduleKind == ModuleKind::Absent || !m_state.ispMode) {
        return;
    }
    const bool wpa = m_state.moduleKind == ModuleKind::WpaCapable;
    auto known = [wpa](int index) { return index >= 0 && (index < 9 || (index == 9 && wpa)); };
    if (command == "c 0\r") {
        if (m_faults.refuseRead.count(kMacQueryIndex) != 0) {
            Answer(kRefused, nowMs);
            return;
        }
        Bytes image(16, 0);
        image[2] = 16;
        std::copy(m_state.mac.begin(), m_state.mac.end(), image.begin() + 8);
        const std::uint16_t check = ComputeImageCheck(image.data(), 14);
        image[14] = static_cast<std::uint8_t>(check & 0xFF);
        image[15] = static_cast<std::uint8_t>(check >> 8);
        if (m_faults.corruptReadCheck.count(kMacQueryIndex) != 0) {
            image[15] ^= 0xFF;
        }
        Answer(ReadReply(image), nowMs);
        return;
    }
    if (command == kUnlockCommand) {
        m_state.unlocked = true;
        Changed();
        Answer(kAck, nowMs);
        return;
    }
    if (command == kFlashCommand) {
        m_state.flash = m_state.working;
        Changed();
        Answer(kAck, nowMs);
        return;
    }
    if (command.size() == 8 && command[0] == 'r' && command[7] == '\r') {
        const int index = RegisterIndexOf(command.substr(2, 2), command.substr(5, 2));
        if (command != BuildReadCommand(index) || !known(index) ||
            m_faults.refuseRead.count(index) != 0) {
            Answer(kRefused, nowMs);
            return;
        }
        Bytes image = m_state.working[static_cast<std::size_t>(index)];
        if (m_faults.corruptReadCheck.count(index) != 0) {
            image.back() ^= 0xFF;
        }
        Answer(ReadReply(image), nowMs);
        return;
    }
    if (command.size() > 8 && command[0] == 'w') {
        const int index = RegisterIndexOf(command.substr(2, 2), command.substr(5, 2));
        if (command.compare(0, 8, BuildWriteCommandPrefix(index)) != 0 || !known(index) ||
            !m_state.unlocked || m_faults.refuseWrite.count(index) != 0) {
            Answer(kRefused, nowMs);
            return;
        }
        std::uint8_t decoded[kDecodeCapacity];
        const int count =
            DecodeHexKeyText(command.data() + 8, static_cast<int>(command.size() - 8), decoded);
        const RegisterImage expected = MakeRegisterImage(index, {});
        const int length = static_cast<int>(expected.size());
        const bool shapeOk = count == length && decoded[0] == expected[0] &&
                             decoded[1] == expected[1] && decoded[2] == expected[2] &&
                             decoded[3] == 0;
        const std::uint16_t check =
            shapeOk ? ComputeImageCheck(decoded, length - 2) : static_cast<std::uint16_t>(0);
        if (!shapeOk || decoded[length - 2] != (check & 0xFF) ||
            decoded[length - 1] != (check >> 8)) {
            Answer(kRefused, nowMs);
            return;
        }
        m_state.working[static_cast<std::size_t>(index)] = RegisterImage(decoded, decoded + length);
        Changed();
        Answer(kAck, nowMs);
        return;
    }
    Answer(kRefused, nowMs);
}

}  // namespace tarvek::sim
