// The program's links as the engine gets them: each real link wrapped so that the trace sees
// every chunk, and so that once the technician has pressed Ctrl-C no command goes out but the
// one that takes the module out of ISP mode (and the USB link's closing byte). A sequence that
// is under way then meets silence at its next step and ends there: a save interrupted before
// its flash command commits nothing.
#pragma once

#include <atomic>

#include "cli/session/trace.h"
#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek::cli {

class LinkTap {
  public:
    LinkTap(const std::atomic<bool>& interrupted, TraceRecorder* trace)
        : m_interrupted(interrupted), m_trace(trace) {}
    // Whether the chunk may go out.
    bool MayWrite(const std::uint8_t* data, int count) const;
    // Traces a chunk that went out (the write began at startMs).
    void Wrote(const std::uint8_t* data, int count, std::uint32_t startMs);
    void Read(const std::uint8_t* data, int count);
    void Opened() {
        if (m_trace != nullptr) {
            m_trace->LinkOpened();
        }
    }

  private:
    const std::atomic<bool>& m_interrupted;
    TraceRecorder* m_trace;
};

template <class Link>
class TappedLink : public Link {
  public:
    TappedLink(Link& inner, LinkTap& tap, Clock& clock)
        : m_inner(inner), m_tap(tap), m_clock(clock) {}
    using PrinterLink::Write;
    int Write(const std::uint8_t* data, int length) override {
        if (!m_tap.MayWrite(data, length)) {
            return 0;
        }
        const std::uint32_t start = m_clock.NowMs();
        const int result = m_inner.Write(data, length);
        m_tap.Wrote(data, length, start);
        return result;
    }
    int Read(std::uint8_t* buffer, int capacity) override {
        const int count = m_inner.Read(buffer, capacity);
        m_tap.Read(buffer, count);
        return count;
    }
    int Close() override { return m_inner.Close(); }

  protected:
    int Opened(int result) {
        m_tap.Opened();
        return result;
    }
    Link& m_inner;
    LinkTap& m_tap;
    Clock& m_clock;
};

class TappedSerialLink final : public TappedLink<SerialPrinterLink> {
  public:
    using TappedLink::TappedLink;
    int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
             int stopBitsIndex, int flowIndex) override {
        return Opened(
            m_inner.Open(portName, baudRate, parityIndex, dataBitsIndex, stopBitsIndex, flowIndex));
    }
};

class TappedUsbLink final : public TappedLink<UsbPrinterLink> {
  public:
    using TappedLink::TappedLink;
    int Open(const std::string& portName) override { return Opened(m_inner.Open(portName)); }
};

}  // namespace tarvek::cli
