#include "printer/printer_session.h"

#include <cstring>

#include "link/answer_poll.h"
#include "link/debug_output.h"

namespace tarvek {
namespace {

// A silent printer: 200 empty reads each followed by a pause, then one more read.
constexpr PollPlan kAnswerPlan{256, 200, false, true};
constexpr int kAnswerCapacity = 256;
constexpr std::uint32_t kCodePageSettleMs = 100;

PrinterResult Refused(PrinterResult result) {
    result.failure = PrinterFailure::BadValue;
    return result;
}

}  // namespace

PrinterLink& PrinterSession::Active() const {
    if (m_channels.kind == TransportKind::Usb) {
        return m_channels.usb;
    }
    return m_channels.serial;
}

void PrinterSession::KeepQuiet() {
    if (!m_bQuietDue) {
        return;
    }
    m_bQuietDue = false;
    const std::uint32_t elapsed = ElapsedMs(m_openEndedMs, m_clock.NowMs());
    if (elapsed < kQuietAfterOpenEndedMs) {
        m_clock.Sleep(kQuietAfterOpenEndedMs - elapsed);
    }
}

void PrinterSession::Send(const Bytes& bytes, PrinterResult& result) {
    if (bytes.empty()) {
        return;
    }
    KeepQuiet();
    if (Active().Write(bytes) <= 0) {
        result.writeFailed = true;
    }
    if (IsOpenEnded(bytes)) {
        m_bQuietDue = true;
        m_openEndedMs = m_clock.NowMs();
    }
}

int PrinterSession::ReadAnswer(std::uint8_t* buffer) {
    std::memset(buffer, 0, kAnswerCapacity);
    return PollFirstBatch(Active(), m_clock, kAnswerPlan, buffer);
}

bool PrinterSession::Query(PrinterResult& result) {
    std::uint8_t answer[kAnswerCapacity];
    Send(BuildEmulationQuery(), result);
    const int count = ReadAnswer(answer);
    if (count == 0) {
        result.failure = PrinterFailure::NoAnswer;
        return false;
    }
    const int emulation = ParseEmulationAnswer(answer, count);
    if (emulation == kNotAnEmulationCode) {
        result.failure = PrinterFailure::NotAnEmulationCode;
        return false;
    }
    result.emulation = emulation;
    return true;
}

PrinterResult PrinterSession::Open(const PortRequest& request) {
    // A link an earlier Open left open (its query failed) is released first, so the exclusive
    // port can be opened again.
    if (m_bLinkOpen) {
        Close();
    }
    PrinterResult result;
    if (OpenChannel(m_channels, request) != 0) {
        result.failure = PrinterFailure::OpenFailed;
        return result;
    }
    m_bLinkOpen = true;
    Query(result);
    return result;
}

void PrinterSession::Close() {
    KeepQuiet();  // a USB link's close sends a byte of its own
    CloseChannel(m_channels);
    m_bLinkOpen = false;
}

PrinterResult PrinterSession::QueryEmulation() {
    PrinterResult result;
    Query(result);
    return result;
}

PrinterResult PrinterSession::SetEmulation(int emulation) {
    PrinterResult result;
    const Bytes command = BuildSetEmulation(emulation);
    if (command.empty()) {
        return Refused(result);
    }
    Send(command, result);
    Close();
    result.emulation = emulation;
    return result;
}

PrinterResult PrinterSession::SaveSerialConfig(const SerialLineSettings& s) {
    PrinterResult result;
    if (!Query(result)) {
        return result;
    }
    if (result.emulation == kEmulationCpcl) {
        const std::vector<std::string> lines = BuildCpclSerialLines(s);
        if (lines.empty()) {
            return Refused(result);
        }
        for (const std::string& line : lines) {
            Send(Bytes(line.begin(), line.end()), result);
            DebugOutput(line);
        }
    } else {
        const Bytes command = BuildEscPosSerialCommand(s);
        if (command.empty()) {
            return Refused(result);
        }
        Send(command, result);
    }
    Close();
    return result;
}

BluetoothResult PrinterSession::ReadBluetooth() {
    BluetoothResult result;
    if (!Query(result)) {
        return result;
    }
    std::uint8_t answer[kAnswerCapacity];
    Send(BuildBluetoothAddressQuery(result.emulation), result);
    int count = ReadAnswer(answer);
    if (count == 0) {
        result.failure = PrinterFailure::NoAnswer;
        return result;
    }
    result.address = ParseBluetoothAddress(answer, count);
    result.addressRead = true;
    Send(BuildDiscoverableQuery(result.emulation), result);
    count = ReadAnswer(answer);
    if (count == 0) {
        result.failure = PrinterFailure::NoAnswer;
        return result;
    }
    result.discoverable = ParseDiscoverableAnswer(answer, count) ? 1 : 0;
    return result;
}

PrinterResult PrinterSession::SavePin(const std::string& pin) {
    PrinterResult result;
    if (!IsSendablePin(pin)) {
        return Refused(result);
    }
    if (Query(result)) {
        Send(BuildBluetoothPinCommand(result.emulation, pin), result);
    }
    return result;
}

PrinterResult PrinterSession::SaveDiscoverable(bool on) {
    PrinterResult result;
    if (Query(result)) {
        Send(BuildDiscoverableCommand(result.emulation, on), result);
    }
    return result;
}

PrinterResult PrinterSession::SavePowerSave(int mode, int minutes) {
    PrinterResult result;
    const Bytes command = BuildPowerSaveCommand(mode, minutes);
    if (command.empty()) {
        return Refused(result);
    }
    if (Query(result)) {
        Send(command, result);
    }
    return result;
}

PrinterResult PrinterSession::SaveCodePage(int number) {
    PrinterResult result;
    const Bytes command = BuildSetCodePageCommand(number);
    if (command.empty()) {
        return Refused(result);
    }
    Send(command, result);
    m_clock.Sleep(kCodePageSettleMs);
    return result;
}

PrinterResult PrinterSession::PrintCodePage() {
    return Print(BuildCodePageTestPage());
}

PrinterResult PrinterSession::Print(const Bytes& page) {
    PrinterResult result;
    Send(page, result);
    return result;
}

}  // namespace tarvek
