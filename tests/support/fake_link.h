// Links without a device, for tests: they record every write with its time and serve answers
// that a test makes readable.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek::testing {

struct WrittenChunk {
    Bytes bytes;
    std::uint32_t atMs;
};

class FakeLinkCore {
  public:
    explicit FakeLinkCore(Clock& clock) : m_clock(clock) {}

    // Answers queued here become readable one by one, each right after the next write.
    void QueueAnswer(const Bytes& answer) { m_queued.push_back(answer); }
    void QueueAnswer(const std::string& answer) {
        QueueAnswer(Bytes(answer.begin(), answer.end()));
    }
    // Makes bytes readable now.
    void Deliver(const Bytes& bytes) {
        m_waiting.insert(m_waiting.end(), bytes.begin(), bytes.end());
    }
    int DoWrite(const std::uint8_t* data, int length, int successResult) {
        if (!m_bOpen) {
            return 0;
        }
        Bytes bytes(data, data + (length > 0 ? length : 0));
        m_writes.push_back({bytes, m_clock.NowMs()});
        if (!m_queued.empty()) {
            Deliver(m_queued.front());
            m_queued.pop_front();
        }
        return successResult;
    }
    int DoRead(std::uint8_t* buffer, int capacity) {
        ++m_nReads;
        if (!m_bOpen || m_waiting.empty() || capacity <= 0) {
            ++m_nEmptyReads;
            return 0;
        }
        const int count = std::min(capacity, static_cast<int>(m_waiting.size()));
        std::copy(m_waiting.begin(), m_waiting.begin() + count, buffer);
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + count);
        return count;
    }

    bool IsOpen() const { return m_bOpen; }
    void SetOpen(bool open) { m_bOpen = open; }
    const std::vector<WrittenChunk>& Writes() const { return m_writes; }
    void ClearWrites() { m_writes.clear(); }
    int Reads() const { return m_nReads; }
    int EmptyReads() const { return m_nEmptyReads; }
    void ClearReadCounts() { m_nReads = m_nEmptyReads = 0; }
    int Opens() const { return m_nOpens; }
    int Closes() const { return m_nCloses; }
    void CountOpen() { ++m_nOpens; }
    void CountClose() { ++m_nCloses; }

  private:
    Clock& m_clock;
    bool m_bOpen = false;
    std::deque<Bytes> m_queued;
    std::deque<std::uint8_t> m_waiting;
    std::vector<WrittenChunk> m_writes;
    int m_nReads = 0, m_nEmptyReads = 0, m_nOpens = 0, m_nCloses = 0;
};

class FakeSerialLink : public SerialPrinterLink, public FakeLinkCore {
  public:
    using FakeLinkCore::FakeLinkCore;
    using PrinterLink::Write;

    int openResult = 0;  // what Open answers
    struct OpenArgs {
        std::string port;
        int baudRate, parity, dataBits, stopBits, flow;
    };
    OpenArgs lastOpen{};

    int Open(const std::string& portName, int baudRate, int parityIndex, int dataBitsIndex,
             int stopBitsIndex, int flowIndex) override {
        CountOpen();
        lastOpen = {portName, baudRate, parityIndex, dataBitsIndex, stopBitsIndex, flowIndex};
        SetOpen(true);  // a failed open may leave the port open; the caller closes
        return openResult;
    }
    int Write(const std::uint8_t* data, int length) override {
        return DoWrite(data, length, length);
    }
    int Read(std::uint8_t* buffer, int capacity) override { return DoRead(buffer, capacity); }
    int Close() override {
        CountClose();
        SetOpen(false);
        return 0;
    }
};

class FakeUsbLink : public UsbPrinterLink, public FakeLinkCore {
  public:
    using FakeLinkCore::FakeLinkCore;
    using PrinterLink::Write;

    int openResult = 0;

    int Open(const std::string&) override {
        CountOpen();
        SetOpen(openResult == 0);
        return openResult;
    }
    int Write(const std::uint8_t* data, int length) override { return DoWrite(data, length, 1); }
    int Read(std::uint8_t* buffer, int capacity) override { return DoRead(buffer, capacity); }
    int Close() override {
        CountClose();
        if (!IsOpen()) {
            return 3;
        }
        const std::uint8_t zero = 0;
        DoWrite(&zero, 1, 1);
        SetOpen(false);
        return 0;
    }
};

// Bytes from text, for answers and expectations.
inline Bytes B(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace tarvek::testing
