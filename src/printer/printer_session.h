// The printer's exchanges over one front end's pair of links: opening the port and learning the
// emulation, the emulation switch, the serial line, Bluetooth, power save and code page. Each
// operation runs to its end and returns what happened; the front ends turn that into texts and
// control states. No window, no text of its own.
//
// Operations that depend on the command language ask for the emulation first (FS "E" "C",
// polled up to 200 empty reads 10 ms apart) and send nothing more when that fails. A write the
// link does not take is noted in the result, never acted on: the printer gives no answer to
// check a write against, and the operation goes on as it would have. After a command without a
// length the line is kept silent (kQuietAfterOpenEndedMs) before the next byte, so the printer
// does not take what follows as part of it.
#pragma once

#include <cstdint>
#include <string>

#include "link/channel_open.h"
#include "link/clock.h"
#include "link/printer_link.h"
#include "link/serial_settings.h"
#include "printer/printer_commands.h"

namespace tarvek {

enum class PrinterFailure : int {
    None = 0,
    OpenFailed,          // the link did not open (it has been closed again)
    NoAnswer,            // no byte within the polling limit
    NotAnEmulationCode,  // the emulation answer's last byte is no emulation code
    BadValue,            // a setting outside its table: nothing was sent after the query
};

struct PrinterResult {
    PrinterFailure failure = PrinterFailure::None;
    // What this operation's emulation query learned (or the emulation it set); unknown when
    // it asked nothing or got no code.
    int emulation = kEmulationUnknown;
    bool writeFailed = false;  // a write the link did not take
    bool Ok() const { return failure == PrinterFailure::None; }
};

struct BluetoothResult : PrinterResult {
    bool addressRead = false;  // true once the address answer came (also when a later read failed)
    std::string address;
    int discoverable = -1;  // 1 on, 0 off; -1 when not read
};

class PrinterSession {
  public:
    PrinterSession(ChannelSet channels, Clock& clock) : m_channels(channels), m_clock(clock) {}

    // Opens the link the request names (a link an earlier Open left open is closed first) and
    // asks for the emulation. When the query fails the link stays open: IsLinkOpen tells.
    PrinterResult Open(const PortRequest& request);
    // Closes the active link.
    void Close();
    bool IsLinkOpen() const { return m_bLinkOpen; }

    // FS "E" "C": the emulation, NoAnswer or NotAnEmulationCode.
    PrinterResult QueryEmulation();
    // FS "E" "S" 0/1, then the link is closed. No answer is read.
    PrinterResult SetEmulation(int emulation);
    // The printer's own line: four setvar lines in CPCL (baud rate, parity, stop bits; each
    // also to the debugger output), the 9-byte command in ESC/POS (all five settings). Then
    // the link is closed. Data bits and flow may be -1 for a CPCL printer.
    PrinterResult SaveSerialConfig(const SerialLineSettings& settings);
    // The address (quotes stripped at both ends) and the discoverable mode ("on" anywhere).
    BluetoothResult ReadBluetooth();
    // BadValue, with nothing sent, for a PIN IsSendablePin refuses.
    PrinterResult SavePin(const std::string& pin);
    PrinterResult SaveDiscoverable(bool on);
    // GS "S" "P" with the mode (0 none, 1 power off, 2 power save) and the minutes' low byte.
    PrinterResult SavePowerSave(int mode, int minutes);
    // FS "E" "P" n, then a 100 ms pause for the printer to switch tables.
    PrinterResult SaveCodePage(int number);
    // The 188-byte test page in one write.
    PrinterResult PrintCodePage();
    // Print data built by the caller (a label in the current emulation), in one write.
    PrinterResult Print(const Bytes& page);

  private:
    PrinterLink& Active() const;
    // Writes the bytes (nothing for none); notes a write the link did not take.
    void Send(const Bytes& bytes, PrinterResult& result);
    // Waits out what is left of the silence an open-ended command needs.
    void KeepQuiet();
    // One answer: the first read that brings bytes, within the polling limit.
    int ReadAnswer(std::uint8_t* buffer);
    // The emulation query into result; false when it failed (result says how).
    bool Query(PrinterResult& result);

    ChannelSet m_channels;
    Clock& m_clock;
    bool m_bLinkOpen = false;
    bool m_bQuietDue = false;  // an open-ended command was sent at m_openEndedMs
    std::uint32_t m_openEndedMs = 0;
};

}  // namespace tarvek
