// The simulated printer with its Wi-Fi module: bytes in, bytes out, with time.
//
// The host's bytes go in with Feed(bytes, now); answers come out with Collect(now), which
// returns the bytes due by then. Nothing happens between calls, so a virtual clock drives it
// exactly. Each answer leaves a few milliseconds after the last byte of its command (never
// at once: the serial link purges its input right after a write). The ESC/POS PIN command has
// no length: as a conservative printer does, it takes every byte that comes until a pause in
// the incoming bytes, whatever those bytes are. Print data ends at such a pause or where a
// command begins.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "link/printer_link.h"
#include "link/serial_settings.h"
#include "sim/faults.h"
#include "sim/printer_commands_accepted.h"
#include "sim/printer_state.h"

namespace tarvek::sim {

// Milliseconds from a command's last byte to its answer.
inline constexpr std::uint32_t kAnswerDelayMs = 5;
// A pause this long in the incoming bytes ends a command that carries no length, unless the
// model is told another.
inline constexpr std::uint32_t kDefaultCommandPauseMs = 50;

// One answer (or one piece of it) waiting to go out.
struct PendingAnswer {
    std::uint32_t dueMs;
    Bytes bytes;
};

class PrinterModel {
  public:
    explicit PrinterModel(PrinterState state = DefaultPrinterState(), Faults faults = {});

    // Host bytes arriving at nowMs (all of them at that moment).
    void Feed(const std::uint8_t* data, int length, std::uint32_t nowMs);
    void Feed(const Bytes& bytes, std::uint32_t nowMs) {
        Feed(bytes.data(), static_cast<int>(bytes.size()), nowMs);
    }
    // Lets time pass without bytes (ends a command at a pause). Collect calls it too.
    void Advance(std::uint32_t nowMs);
    // Answer bytes due by nowMs, in order, removed from the queue.
    Bytes Collect(std::uint32_t nowMs);
    // The same, one element per answer write (an answer in pieces gives one per piece).
    std::vector<Bytes> CollectChunks(std::uint32_t nowMs);
    // When something next happens by itself (an answer falls due, a pause ends a command);
    // false when nothing is pending.
    bool NextEventMs(std::uint32_t& atMs) const;

    // The line settings the host uses on the serial channel. While they differ from the
    // printer's own (baud rate, parity, data bits, stop bits) its bytes are noise to the
    // printer: nothing is taken in, nothing answered. USB traffic has no line.
    void SetHostLine(const SerialLineSettings& host);
    void ClearHostLine() { m_bHostLineKnown = false; }
    bool LineMatches() const;

    // USB presence (faults may take the device away for a while).
    bool UsbPresent(std::uint32_t nowMs);
    void SetUsbPresent(bool present) {
        m_bUsbForcedGone = !present;
        m_bUsbGone = false;
    }

    void SetCommandPauseMs(std::uint32_t pauseMs) { m_commandPauseMs = pauseMs; }
    std::uint32_t CommandPauseMs() const { return m_commandPauseMs; }

    PrinterState& State() { return m_state; }
    const PrinterState& State() const { return m_state; }
    Faults& FaultSettings() { return m_faults; }
    // Commands taken so far (the idle preamble not counted) and host bytes received.
    int CommandCount() const { return m_nCommands; }
    long long HostByteCount() const { return m_nHostBytes; }
    // Incremented on every change of the state (for a program that saves it).
    unsigned long long ChangeCount() const { return m_nChanges; }

  private:
    enum class Scan { NeedMore, Done, OpenEnded, Bad };
    void TakeByte(std::uint8_t byte, std::uint32_t nowMs);
    Scan Classify() const;
    void FinishOpenEnded(std::uint32_t nowMs);
    void Execute(const Bytes& command, std::uint32_t nowMs);
    void ExecuteByteCommand(ByteCommand command, const Bytes& bytes, std::uint32_t nowMs);
    void ExecuteCpcl(const Bytes& command, std::uint32_t nowMs);
    void ExecuteCpclLine(const std::string& line, std::uint32_t nowMs);
    // What a CPCL getvar of the variable answers (without its quotes).
    std::string CpclValue(CpclVariable variable) const;
    void ExecuteBluetoothOperation(std::uint8_t code, std::uint32_t nowMs);
    void ExecuteIspMode(std::uint8_t mode, std::uint32_t nowMs);
    void ExecuteModuleCommand(const std::string& command, std::uint32_t nowMs);
    void ExecuteQrFunction(const Bytes& command);
    void Answer(const Bytes& bytes, std::uint32_t nowMs);
    void Answer(const std::string& text, std::uint32_t nowMs) {
        Answer(Bytes(text.begin(), text.end()), nowMs);
    }
    void Changed() { ++m_nChanges; }

    PrinterState m_state;
    Faults m_faults;
    Bytes m_command;  // the command being received
    Bytes m_qrStore;  // the last QR store command (GS ( k ... "1" "P" "0" data)
    bool m_bOpenEnded = false;
    std::uint32_t m_commandPauseMs = kDefaultCommandPauseMs;
    std::uint32_t m_lastByteMs = 0;
    std::deque<PendingAnswer> m_answers;
    int m_nCommands = 0;
    long long m_nHostBytes = 0;
    unsigned long long m_nChanges = 0;
    bool m_bHostLineKnown = false;
    SerialLineSettings m_hostLine{};
    bool m_bUsbForcedGone = false;
    bool m_bUsbGone = false;
    std::uint32_t m_usbGoneSinceMs = 0;
    // CPCL serial values staged by setvar and applied by "com_apply" (-1/0: not staged).
    static constexpr SerialLineSettings kNothingStaged{0, -1, -1, -1, -1};
    SerialLineSettings m_cpclPending = kNothingStaged;
};

}  // namespace tarvek::sim
