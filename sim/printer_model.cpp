#include "sim/printer_model.h"

#include <algorithm>

#include "sim/code_pages.h"
#include "sim/hex_text.h"
#include "sim/image_check.h"
#include "sim/line_codes.h"
#include "sim/module_registers.h"
#include "sim/printer_commands_accepted.h"

namespace tarvek::sim {
namespace {

constexpr std::size_t kMaxCpclLine = 512;
constexpr std::size_t kMaxPin = 32;
constexpr std::size_t kMaxPrintData = 65536;

// Wrap-safe "a is not before b".
bool NotBefore(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b) >= 0;
}

bool SameLine(const SerialLineSettings& a, const SerialLineSettings& b) {
    return a.baudRate == b.baudRate && a.parityIndex == b.parityIndex &&
           a.dataBitsIndex == b.dataBitsIndex && a.stopBitsIndex == b.stopBitsIndex;
}

// The ESC/POS serial command's digits (baud rate, data bits, parity, stop bits, flow) as a
// line; false when one is not a digit of its field.
bool LineFromDigits(const Bytes& c, SerialLineSettings& line) {
    std::size_t at = 4;
    for (const SerialField field : kSerialFieldsInCommandOrder) {
        const LineCode* code = CodeOfDigit(field, c[at++]);
        if (code == nullptr) {
            return false;
        }
        line.*CodesOf(field).member = code->value;
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

// The read reply: the acknowledgement, then the image as spaced hex and CR LF.
std::string ReadReply(const Bytes& image) {
    return kAcknowledged + SpacedHex(image) + "\r\n";
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
            // Print data or the one command without a length (the PIN, which takes any byte).
            const AcceptedCommand* command = ByteCommandOf(m_command, true);
            const bool ends = command == nullptr && BeginsByteCommand(byte);
            if (!ends) {
                m_command.push_back(byte);
                const std::size_t limit =
                    command != nullptr ? command->leadLength + kMaxPin : kMaxPrintData;
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
    if (c[0] == '!') {
        if (n == 1) {
            return Scan::NeedMore;
        }
        if (IsLabelForm(c)) {  // "! 0 ...": a label form, up to its PRINT line
            return EndsWith(c, kLabelFormEnd) ? Scan::Done
                   : n > kMaxPrintData        ? Scan::Bad
                                              : Scan::NeedMore;
        }
        if (c.back() == '\n') {
            return Scan::Done;
        }
        return n > kMaxCpclLine ? Scan::Bad : Scan::NeedMore;
    }
    if (!BeginsByteCommand(c[0])) {
        return Scan::OpenEnded;  // print data
    }
    const AcceptedCommand* command = ByteCommandOf(c, false);
    if (command == nullptr) {
        return Scan::Bad;
    }
    const std::size_t lead = command->leadLength;
    if (n < lead) {
        return Scan::NeedMore;
    }
    switch (command->end) {
        case CommandEnd::Fixed:
            return need(command->size);
        case CommandEnd::LengthByte:
            return n < lead + 1 ? Scan::NeedMore : need(lead + 1 + c[lead]);
        case CommandEnd::LengthWord:
            return n < lead + 2 ? Scan::NeedMore : need(lead + 2 + c[lead] + 256u * c[lead + 1]);
        case CommandEnd::Pause:
            return Scan::OpenEnded;
    }
    return Scan::Bad;
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
    if (c[0] == '!') {
        ExecuteCpcl(c, nowMs);
    } else if (const AcceptedCommand* command = ByteCommandOf(c, true)) {
        ExecuteByteCommand(command->command, c, nowMs);
    } else {
        m_state.pages.push_back({c, m_state.codePage, m_state.emulation});
        Changed();
    }
    if (m_faults.usbGoneAfterCommands >= 0 && m_nCommands == m_faults.usbGoneAfterCommands) {
        m_bUsbGone = true;
        m_usbGoneSinceMs = nowMs;
    }
}

void PrinterModel::ExecuteCpcl(const Bytes& c, std::uint32_t nowMs) {
    if (m_state.emulation == kEmulationEscPos) {
        return;
    }
    if (IsLabelForm(c)) {
        m_state.pages.push_back({c, m_state.codePage, m_state.emulation});
        Changed();
    } else {
        ExecuteCpclLine(std::string(c.begin(), c.end()), nowMs);
    }
}

void PrinterModel::ExecuteByteCommand(ByteCommand command, const Bytes& c, std::uint32_t nowMs) {
    const bool escPos = m_state.emulation == kEmulationEscPos;
    switch (command) {
        case ByteCommand::EmulationQuery: {
            const EmulationCode* running = EmulationOf(m_state.emulation);
            const std::uint8_t code = (running ? running : EmulationOf(kEmulationEscPos))->code;
            const bool ascii = m_state.answerForm == EmulationAnswerForm::Ascii;
            Answer(Bytes{static_cast<std::uint8_t>(ascii ? '0' + code : code)}, nowMs);
            break;
        }
        case ByteCommand::EmulationSwitch:
            if (const EmulationCode* emulation = EmulationOfCode(c[3])) {
                m_state.emulation = emulation->emulation;
                Changed();
            }
            break;
        case ByteCommand::CodePage:
            if (CodePageAt(c[3]) != nullptr) {
                m_state.codePage = c[3];
                Changed();
            }
            break;
        case ByteCommand::PowerSave:
            if (PowerSaveModeOf(c[3]) != nullptr) {
                m_state.powerSaveMode = c[3];
                m_state.powerSaveMinutes = c[4];
                Changed();
            }
            break;
        case ByteCommand::SerialSettings: {
            SerialLineSettings line{};
            if (escPos && c[3] == 0x01 && LineFromDigits(c, line)) {
                m_state.serial = line;
                Changed();
            }
            break;
        }
        case ByteCommand::QrCode:
            ExecuteQrFunction(c);
            break;
        case ByteCommand::BluetoothOperation:
            if (escPos) {
                ExecuteBluetoothOperation(c[4], nowMs);
            }
            break;
        case ByteCommand::BluetoothPin:
            if (escPos) {
                m_state.bluetoothPin.assign(c.begin() + 5, c.end());
                Changed();
            }
            break;
        case ByteCommand::IspMode:
            ExecuteIspMode(c[3], nowMs);
            break;
        case ByteCommand::ModuleFrame:
            ExecuteModuleCommand(std::string(c.begin() + 4, c.end()), nowMs);
            break;
    }
}

void PrinterModel::ExecuteIspMode(std::uint8_t mode, std::uint32_t nowMs) {
    if (m_state.moduleKind == ModuleKind::Absent || (mode != kIspEnter && mode != kIspLeave)) {
        return;
    }
    if (mode == kIspEnter) {
        m_state.ispMode = true;
        Answer(kAcknowledged, nowMs);
    } else if (m_state.ispMode) {
        // Leaving ISP mode drops every unflashed write.
        m_state.ispMode = false;
        m_state.unlocked = false;
        m_state.working = m_state.flash;
    }
    Changed();
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

void PrinterModel::ExecuteBluetoothOperation(std::uint8_t code, std::uint32_t nowMs) {
    BluetoothOperation operation{};
    if (!BluetoothOperationOf(code, operation)) {
        return;
    }
    switch (operation) {
        case BluetoothOperation::AddressQuery:
            Answer(m_state.bluetoothAddress, nowMs);
            break;
        case BluetoothOperation::DiscoverableQuery:
            Answer(std::string(m_state.discoverable ? "on" : "off"), nowMs);
            break;
        case BluetoothOperation::DiscoverableOn:
        case BluetoothOperation::DiscoverableOff:
            m_state.discoverable = operation == BluetoothOperation::DiscoverableOn;
            Changed();
            break;
    }
}

void PrinterModel::ExecuteCpclLine(const std::string& line, std::uint32_t nowMs) {
    static const std::string kGetvar = kCpclGetvar;
    static const std::string kSetvar = kCpclSetvar;
    std::string name, value;
    std::size_t end = 0;
    CpclVariable variable{};
    const bool get = line.compare(0, kGetvar.size(), kGetvar) == 0;
    const bool set = line.compare(0, kSetvar.size(), kSetvar) == 0;
    if ((!get && !set) || !QuotedAt(line, kGetvar.size(), name, end)) {
        return;
    }
    const bool known = CpclVariableNamed(name, variable);
    if (get) {
        Answer("\"" + (known ? CpclValue(variable) : "?") + "\"", nowMs);
        return;
    }
    if (!known) {
        return;
    }
    if (variable == CpclVariable::ApplyLine) {
        SerialLineSettings& s = m_state.serial;
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
    switch (variable) {
        case CpclVariable::Baud:
        case CpclVariable::Parity:
        case CpclVariable::StopBits: {
            const SerialField field = variable == CpclVariable::Baud     ? SerialField::Baud
                                      : variable == CpclVariable::Parity ? SerialField::Parity
                                                                         : SerialField::StopBits;
            if (const LineCode* code = CodeOfCpclText(field, value)) {
                m_cpclPending.*CodesOf(field).member = code->value;
            }
            break;
        }
        case CpclVariable::BluetoothPin:
            m_state.bluetoothPin = value;
            Changed();
            break;
        case CpclVariable::Discoverable:
            if (value == "on" || value == "off") {
                m_state.discoverable = value == "on";
                Changed();
            }
            break;
        case CpclVariable::BluetoothAddress:
        case CpclVariable::ApplyLine:
            break;
    }
}

std::string PrinterModel::CpclValue(CpclVariable variable) const {
    const SerialLineSettings& s = m_state.serial;
    switch (variable) {
        case CpclVariable::BluetoothAddress:
            return m_state.bluetoothAddress;
        case CpclVariable::Discoverable:
            return m_state.discoverable ? "on" : "off";
        case CpclVariable::BluetoothPin:
            return m_state.bluetoothPin;
        case CpclVariable::Baud:
            return std::to_string(s.baudRate);
        case CpclVariable::Parity:
        case CpclVariable::StopBits: {
            const SerialField field =
                variable == CpclVariable::Parity ? SerialField::Parity : SerialField::StopBits;
            const LineCode* code = CodeOfValue(field, s.*CodesOf(field).member);
            return code != nullptr && code->cpcl != nullptr ? code->cpcl : "?";
        }
        case CpclVariable::ApplyLine:
            break;
    }
    return "?";
}

void PrinterModel::ExecuteModuleCommand(const std::string& command, std::uint32_t nowMs) {
    if (m_state.moduleKind == ModuleKind::Absent || !m_state.ispMode) {
        return;
    }
    const bool wpa = m_state.moduleKind == ModuleKind::WpaCapable;
    auto known = [wpa](int index) {
        const RegisterLayout* layout = LayoutOf(index);
        return layout != nullptr && (wpa || !layout->wpaOnly);
    };
    if (command == kMacQueryText) {
        if (m_faults.refuseRead.count(kMacQueryIndex) != 0) {
            Answer(kRefused, nowMs);
            return;
        }
        Bytes image(kMacImageLength, 0);
        image[2] = kMacImageLength;
        std::copy(m_state.mac.begin(), m_state.mac.end(), image.begin() + kMacOffset);
        SealImage(image);
        if (m_faults.corruptReadCheck.count(kMacQueryIndex) != 0) {
            image.back() ^= 0xFF;
        }
        Answer(ReadReply(image), nowMs);
        return;
    }
    if (command == kUnlockText) {
        m_state.unlocked = true;
        Changed();
        Answer(kAcknowledged, nowMs);
        return;
    }
    if (command == kFlashText) {
        m_state.flash = m_state.working;
        Changed();
        Answer(kAcknowledged, nowMs);
        return;
    }
    if (const int index = IndexReadBy(command); index >= 0) {
        if (!known(index) || m_faults.refuseRead.count(index) != 0) {
            Answer(kRefused, nowMs);
            return;
        }
        Bytes image = m_state.working[static_cast<std::size_t>(index)];
        if (m_faults.corruptReadCheck.count(index) != 0 && !image.empty()) {
            image.back() ^= 0xFF;
        }
        Answer(ReadReply(image), nowMs);
        return;
    }
    const int index = IndexWrittenBy(command);
    if (index < 0 || !known(index) || !m_state.unlocked || m_faults.refuseWrite.count(index) != 0) {
        Answer(kRefused, nowMs);
        return;
    }
    const std::size_t hexFrom = WriteCommandPrefixOf(index).size();
    const Bytes image = DecodeHexDigits(command.data() + hexFrom, command.size() - hexFrom);
    if (!HasHeaderOf(index, image) || !IsSealed(image.data(), image.size())) {
        Answer(kRefused, nowMs);
        return;
    }
    m_state.working[static_cast<std::size_t>(index)] = image;
    Changed();
    Answer(kAcknowledged, nowMs);
}

}  // namespace tarvek::sim
