// Links whose far end is a PrinterModel, for whole exchanges in process: the dialogs and
// sequences under test talk to them exactly as to the real links, on a Clock (a virtual one
// in tests), and the model answers in time.
//
// Both keep the link contract: the idle preamble (two 0x00 bytes, then a 350 ms Sleep) before
// the first write after an open and after more than 60 000 ms without a write; Read returns
// at once with what the model has sent by now. The serial link also purges what arrived
// before each write, as the real one does, and tells the model the line settings it was
// opened with. The USB link fails while the model's device is gone and sends its closing
// 0x00 byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/printer_link.h"
#include "sim/printer_model.h"

namespace tarvek::sim {

// What one simulated link does, shared by both kinds.
class SimulatedLinkCore {
  public:
    SimulatedLinkCore(PrinterModel& model, Clock& clock) : m_model(model), m_clock(clock) {}

    PrinterModel& Model() { return m_model; }
    bool IsOpen() const { return m_bOpen; }
    // Every chunk the host wrote (preamble included), with its time.
    struct Chunk {
        Bytes bytes;
        std::uint32_t atMs;
    };
    const std::vector<Chunk>& Writes() const { return m_writes; }

  protected:
    void MarkOpen() {
        m_bOpen = true;
        m_bWroteSinceOpen = false;
        m_waiting.clear();
    }
    void MarkClosed() { m_bOpen = false; }
    // Sends bytes to the model (preamble first when due).
    void Send(const std::uint8_t* data, int length);
    // Moves the answers due by now into the waiting bytes.
    void Receive();
    int TakeWaiting(std::uint8_t* buffer, int capacity);
    void Purge() { m_waiting.clear(); }
    Clock& ClockRef() { return m_clock; }

  private:
    PrinterModel& m_model;
    Clock& m_clock;
    bool m_bOpen = false;
    bool m_bWroteSinceOpen = false;
    std::uint32_t m_lastWriteMs = 0;
    Bytes m_waiting;
    std::vector<Chunk> m_writes;
};

class SimulatedSerialLink : public SerialPrinterLink, public SimulatedLinkCore {
  public:
    // portName: the one COM port name that opens ("" = any name opens).
    SimulatedSerialLink(PrinterModel& model, Clock& clock, std::string portName = "")
        : SimulatedLinkCore(model, clock), m_portName(std::move(portName)) {}
    using PrinterLink::Write;

    int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
             int stopBitsIndex, int flowIndex) override;
    int Write(const std::uint8_t* data, int length) override;
    int Read(std::uint8_t* buffer, int capacity) override;
    int Close() override;

  private:
    std::string m_portName;
};

class SimulatedUsbLink : public UsbPrinterLink, public SimulatedLinkCore {
  public:
    SimulatedUsbLink(PrinterModel& model, Clock& clock) : SimulatedLinkCore(model, clock) {}
    using PrinterLink::Write;

    int Open(const std::string& portName) override;
    int Write(const std::uint8_t* data, int length) override;
    int Read(std::uint8_t* buffer, int capacity) override;
    int Close() override;
};

}  // namespace tarvek::sim
