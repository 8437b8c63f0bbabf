#include <gtest/gtest.h>

#include "printer/printer_commands.h"
#include "sim/simulated_link.h"
#include "support/virtual_clock.h"

namespace tarvek::sim {
namespace {

using tarvek::testing::VirtualClock;

// The host's usual poll: read, sleep 10 ms, up to 200 empty reads.
Bytes Poll(PrinterLink& link, VirtualClock& clock, int capacity = 256) {
    std::uint8_t buffer[256];
    for (int tries = 0; tries <= 200; ++tries) {
        const int n = link.Read(buffer, capacity);
        if (n > 0) {
            return Bytes(buffer, buffer + n);
        }
        clock.Sleep(10);
    }
    return {};
}

TEST(SimulatedSerialLink, PreambleThenCommandThenAnswerAfterAPoll) {
    VirtualClock clock;
    PrinterModel model;
    SimulatedSerialLink link(model, clock);
    ASSERT_EQ(link.Open("COM3", 9600, 0, 1, 0, 0), 0);
    link.Write(BuildEmulationQuery());
    ASSERT_EQ(link.Writes().size(), 2u);
    EXPECT_EQ(link.Writes()[0].bytes, (Bytes{0, 0}));
    EXPECT_EQ(link.Writes()[1].atMs, link.Writes()[0].atMs + 350);
    std::uint8_t b[8];
    EXPECT_EQ(link.Read(b, 8), 0);  // nothing within microseconds
    EXPECT_EQ(Poll(link, clock), (Bytes{0x01}));
    link.Write(BuildEmulationQuery());
    EXPECT_EQ(link.Writes().size(), 3u);  // no second preamble
    EXPECT_EQ(link.Close(), 0);
    EXPECT_EQ(link.Read(b, 8), 0);
}

TEST(SimulatedSerialLink, WrongLineSettingsGetNoAnswer) {
    VirtualClock clock;
    PrinterModel model;
    SimulatedSerialLink link(model, clock, "COM1");
    EXPECT_EQ(link.Open("COM2", 9600, 0, 1, 0, 0), -1);
    ASSERT_EQ(link.Open("COM1", 19200, 0, 1, 0, 0), 0);
    link.Write(BuildEmulationQuery());
    EXPECT_TRUE(Poll(link, clock).empty());
}

TEST(SimulatedUsbLink, ClosingByteAndDisappearance) {
    VirtualClock clock;
    Faults f;
    f.usbGoneAfterCommands = 1;
    f.usbGoneForMs = 5000;
    PrinterModel model(DefaultPrinterState(), f);
    SimulatedUsbLink link(model, clock);
    ASSERT_EQ(link.Open("USB"), 0);
    EXPECT_EQ(link.Write(BuildEmulationQuery()), 1);
    EXPECT_TRUE(Poll(link, clock, 64).empty());  // gone right after that command
    EXPECT_EQ(link.Write(BuildEmulationQuery()), 0);
    clock.Advance(3000);
    EXPECT_EQ(link.Write(BuildEmulationQuery()), 1);
    EXPECT_EQ(Poll(link, clock, 64), (Bytes{0x01}));
    const long long before = model.HostByteCount();
    EXPECT_EQ(link.Close(), 0);
    EXPECT_EQ(model.HostByteCount(), before + 1);
    EXPECT_EQ(link.Close(), 3);
    model.SetUsbPresent(false);
    EXPECT_EQ(link.Open("USB"), 1);
}

}  // namespace
}  // namespace tarvek::sim
