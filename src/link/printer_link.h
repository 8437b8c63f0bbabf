// The byte channels to the printer, as the dialogs see them.
//
// Each dialog owns one serial link and one USB link for the whole life of the process, plus a
// transport kind that says which of the two is in use. Every command handler writes, polls and
// closes through the link that the transport kind names (ChannelSet::Active).
//
// The contract every implementation keeps:
//  - Read returns at once: the number of bytes that were already waiting (at most capacity),
//    0 when none are. Callers poll it: Read, Sleep 10 ms, up to a number of tries of their own.
//  - Write sends the bytes, preceded by the idle preamble (two 0x00 bytes and a 350 ms pause)
//    on the first write after an open and after more than 60 000 ms without a write.
//    No caller examines its result.
//  - After a failed Open the caller calls Close before it reports the failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/serial_settings.h"

namespace tarvek {

using Bytes = std::vector<std::uint8_t>;

class PrinterLink {
  public:
    virtual ~PrinterLink() = default;

    // Serial: the number of bytes written, 0 on any failure. USB: 1 when every byte was sent,
    // 0 on failure (not a byte count).
    virtual int Write(const std::uint8_t* data, int length) = 0;
    // The bytes already waiting, at most capacity; 0 when none are waiting or on failure.
    virtual int Read(std::uint8_t* buffer, int capacity) = 0;
    // Serial: always 0, harmless when not open. USB: 0 after closing, 3 when it was not open.
    virtual int Close() = 0;

    int Write(const Bytes& bytes) { return Write(bytes.data(), static_cast<int>(bytes.size())); }
};

// A COM port (a cable, or the serial port of a Bluetooth pairing).
class SerialPrinterLink : public PrinterLink {
  public:
    // The indices are the positions in the dialogs' lists: parity NONE/ODD/EVEN, data bits 7/8,
    // stop bits 1/2, flow DTR/DSR, Xon/Xoff. 0 = open and configured, -1 = failure (the port
    // may still be open; the caller closes it).
    virtual int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
                     int stopBitsIndex, int flowIndex) = 0;

    // Changes the line settings of the open port without closing it; the idle state stays as
    // it was (no new preamble) and bytes that arrived under the old settings are dropped.
    // 0 = done; -1 = refused (a value outside its list, or the port would not take it);
    // kReconfigureUnsupported = this link cannot: the caller closes and opens again.
    static constexpr int kReconfigureUnsupported = -2;
    virtual int Reconfigure(const SerialLineSettings&) { return kReconfigureUnsupported; }
};

// The printer on USB. The port name plays no part; 0 = open, 1 = failure.
class UsbPrinterLink : public PrinterLink {
  public:
    virtual int Open(const std::string& portName) = 0;
};

// When a serial link drops what it has received. The dialogs' links drop it right after each
// write, so a read sees only what arrived after the command; an answer that arrives while the
// host is too busy to purge at once is lost with it. A front end that can live with stale bytes
// being dropped before its command instead never loses an answer.
enum class InputPurge : int { AfterWrite, BeforeWrite };

// Which of a dialog's two links is in use. None exists for the Wi-Fi dialog only.
enum class TransportKind : int { Serial = 0, None = 1, Usb = 2 };

// One dialog's pair of links and its transport kind (process-wide objects, held by reference).
struct ChannelSet {
    SerialPrinterLink& serial;
    UsbPrinterLink& usb;
    TransportKind& kind;

    // The link the transport kind names; null for None.
    PrinterLink* Active() const {
        switch (kind) {
            case TransportKind::Serial:
                return &serial;
            case TransportKind::Usb:
                return &usb;
            case TransportKind::None:
                break;
        }
        return nullptr;
    }
};

}  // namespace tarvek
