#include "sim/simulated_link.h"

#include <algorithm>

#include "link/serial_settings.h"

namespace tarvek::sim {
namespace {

constexpr std::uint32_t kIdleLimitMs = 60000;
constexpr std::uint32_t kPreamblePauseMs = 350;

}  // namespace

void SimulatedLinkCore::Send(const std::uint8_t* data, int length) {
    const std::uint32_t now = m_clock.NowMs();
    if (!m_bWroteSinceOpen || ElapsedMs(m_lastWriteMs, now) > kIdleLimitMs) {
        const Bytes preamble{0x00, 0x00};
        m_writes.push_back({preamble, now});
        m_model.Feed(preamble, now);
        m_clock.Sleep(kPreamblePauseMs);
    }
    m_bWroteSinceOpen = true;
    const std::uint32_t at = m_clock.NowMs();
    m_writes.push_back({Bytes(data, data + std::max(length, 0)), at});
    m_model.Feed(data, std::max(length, 0), at);
    m_lastWriteMs = at;
}

void SimulatedLinkCore::Receive() {
    const Bytes due = m_model.Collect(m_clock.NowMs());
    m_waiting.insert(m_waiting.end(), due.begin(), due.end());
}

int SimulatedLinkCore::TakeWaiting(std::uint8_t* buffer, int capacity) {
    const int count = std::min(std::max(capacity, 0), static_cast<int>(m_waiting.size()));
    std::copy_n(m_waiting.begin(), count, buffer);
    m_waiting.erase(m_waiting.begin(), m_waiting.begin() + count);
    return count;
}

int SimulatedSerialLink::Open(const std::string& portName, int baudRate, int parityIndex,
                              int dataBitsIndex, int stopBitsIndex, int flowIndex) {
    if (!m_portName.empty() && portName != m_portName) {
        return -1;
    }
    if (!IsSupportedBaudRate(baudRate) || parityIndex < 0 || parityIndex > 2 || dataBitsIndex < 0 ||
        dataBitsIndex > 1 || stopBitsIndex < 0 || stopBitsIndex > 1) {
        MarkOpen();  // a failed configuration leaves the port open; the caller closes it
        return -1;
    }
    MarkOpen();
    Model().SetHostLine({baudRate, parityIndex, dataBitsIndex, stopBitsIndex, flowIndex});
    return 0;
}

int SimulatedSerialLink::Write(const std::uint8_t* data, int length) {
    if (!IsOpen() || length <= 0) {
        return 0;
    }
    Receive();
    Purge();  // the real link purges its input right after each write
    Send(data, length);
    return length;
}

int SimulatedSerialLink::Read(std::uint8_t* buffer, int capacity) {
    if (!IsOpen()) {
        return 0;
    }
    Receive();
    return TakeWaiting(buffer, capacity);
}

int SimulatedSerialLink::Close() {
    MarkClosed();
    return 0;
}

int SimulatedUsbLink::Open(const std::string&) {
    if (!Model().UsbPresent(ClockRef().NowMs())) {
        return 1;
    }
    MarkOpen();
    Model().ClearHostLine();
    return 0;
}

int SimulatedUsbLink::Write(const std::uint8_t* data, int length) {
    if (!IsOpen() || length <= 0 || !Model().UsbPresent(ClockRef().NowMs())) {
        return 0;
    }
    Send(data, length);
    return 1;
}

int SimulatedUsbLink::Read(std::uint8_t* buffer, int capacity) {
    if (!IsOpen() || !Model().UsbPresent(ClockRef().NowMs())) {
        return 0;
    }
    Receive();
    return TakeWaiting(buffer, capacity);
}

int SimulatedUsbLink::Close() {
    if (!IsOpen()) {
        return 3;
    }
    const std::uint8_t zero = 0;
    Write(&zero, 1);
    MarkClosed();
    return 0;
}

}  // namespace tarvek::sim
