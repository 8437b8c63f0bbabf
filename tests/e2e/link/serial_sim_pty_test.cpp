// The POSIX serial link against the simulated printer on a real pseudo-terminal: the model
// runs on its own thread at the far end, on the monotonic clock, as a printer on a cable.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "e2e/link/pty_peer.h"
#include "link/links.h"
#include "sim/printer_model.h"

namespace tarvek {
namespace {

std::uint32_t NowMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

class SimulatedPrinterOnPty {
  public:
    SimulatedPrinterOnPty() : m_pump([this] { Pump(); }) {}
    ~SimulatedPrinterOnPty() { Stop(); }
    const std::string& Path() const { return m_peer.Path(); }
    bool Ready() const { return m_peer.Ready(); }
    // The model may be examined once the pump has stopped.
    sim::PrinterModel& StopAndGetModel() {
        Stop();
        return m_model;
    }

  private:
    void Stop() {
        m_bStop = true;
        if (m_pump.joinable()) {
            m_pump.join();
        }
    }
    void Pump() {
        while (!m_bStop) {
            const Bytes got = m_peer.Drain(1);
            if (!got.empty()) {
                m_model.Feed(got, NowMs());
            }
            const Bytes answer = m_model.Collect(NowMs());
            if (!answer.empty()) {
                m_peer.Send(answer);
            }
        }
    }

    testing::PtyPeer m_peer;
    sim::PrinterModel m_model;
    std::atomic<bool> m_bStop{false};
    std::thread m_pump;
};

TEST(SerialLinkWithSimulatedPrinter, EmulationQueryIsAnswered) {
    SimulatedPrinterOnPty printer;
    ASSERT_TRUE(printer.Ready());
    auto link = MakeSerialLink(SystemClock());
    ASSERT_EQ(link->Open(printer.Path(), 9600, 0, 1, 0, 0), 0);
    EXPECT_EQ(link->Write(Bytes{0x1C, 'E', 'C'}), 3);
    std::uint8_t buffer[256];
    int count = 0;
    for (int tries = 0; tries < 200 && count == 0; ++tries) {
        count = link->Read(buffer, 256);
        if (count == 0) {
            SystemClock().Sleep(10);
        }
    }
    ASSERT_GT(count, 0);
    const std::uint8_t last = buffer[count - 1];
    EXPECT_TRUE(last == 0x01 || last == '1') << int{last};  // ESC/POS, the printer's default
    link->Close();
    sim::PrinterModel& model = printer.StopAndGetModel();
    EXPECT_EQ(model.HostByteCount(), 5);  // the idle preamble and the query
    EXPECT_EQ(model.CommandCount(), 1);
}

}  // namespace
}  // namespace tarvek
