// The Linux USB printer link through a fake libusb.
#include <gtest/gtest.h>

#include "unit/link/fake_libusb_system.h"

namespace tarvek {
namespace {

using Calls = std::vector<std::string>;
using Chunks = std::vector<Bytes>;

struct UsbLibusbTest : ::testing::Test {
    testing::VirtualClock clock{1000};
    testing::FakeUsbBus* bus = nullptr;  // owned by the link
    std::unique_ptr<UsbPrinterLink> MakeLink() {
        auto fake = std::make_unique<testing::FakeUsbBus>(clock);
        bus = fake.get();
        // Another printer first, then this utility's; endpoints OUT 0x01, IN 0x82.
        bus->printers = {{0x04b8, 0x0202, 1, 2, 0, 0, 0x01, 0x82},
                         {0x0525, 0xa702, 1, 3, 1, 0, 0x01, 0x82}};
        return MakeUsbLink(clock, std::move(fake));
    }
    void SetPresent(bool present) {
        std::lock_guard<std::mutex> hold(bus->lock);
        bus->present = bus->kernelDriver = present;  // a new device: the kernel's driver binds
    }
};

TEST_F(UsbLibusbTest, ThePortNameChoosesThePrinterAndTheKernelGetsItBack) {
    const struct {
        const char* name;
        int result;
        Calls calls;
    } cases[] = {
        {"USB", 0, {"detach 1", "claim 1", "release 1", "attach 1"}},
        {"usb:04B8:0202", 0, {"detach 0", "claim 0", "release 0", "attach 0"}},
        {"usb:any", 0, {"detach 0", "claim 0", "release 0", "attach 0"}},
        {"COM1", 0, {"detach 1", "claim 1", "release 1", "attach 1"}},
        {"usb:1234:5678", 1, {}},
    };
    for (const auto& c : cases) {
        auto link = MakeLink();
        EXPECT_EQ(link->Open(c.name), c.result) << c.name;
        EXPECT_EQ(bus->kernelDriver, c.result != 0) << c.name;
        EXPECT_EQ(link->Close(), c.result ? 3 : 0) << c.name;
        EXPECT_EQ(bus->calls, c.calls) << c.name;
        EXPECT_EQ(bus->chunks, c.result ? Chunks{} : (Chunks{{0, 0}, {0}})) << c.name;
        EXPECT_EQ(link->Close(), 3);
        EXPECT_EQ(link->Write(Bytes{'x'}), 0);
    }
}

TEST_F(UsbLibusbTest, AnInterfaceThatCannotBeClaimedIsGivenBack) {
    auto link = MakeLink();
    bus->claimStatus = UsbStatus::Busy;  // another program's libusb has it
    EXPECT_EQ(link->Open("USB"), 1);
    EXPECT_EQ(bus->calls, (Calls{"detach 1", "claim 1", "attach 1"}));
}

TEST_F(UsbLibusbTest, WritesGoInChunksWithinTheirBudgetAndReadsTakeWhatIsReady) {
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    Bytes data(100);
    for (int i = 0; i < 100; ++i) {
        data[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(link->Write(data), 1);
    EXPECT_EQ(bus->chunks, (Chunks{{0, 0},
                                   Bytes(data.begin(), data.begin() + 64),
                                   Bytes(data.begin() + 64, data.end())}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{350, 10}));
    clock.Advance(60000);
    EXPECT_EQ(link->Write(Bytes{'A'}), 1);  // within 60 s: no preamble
    clock.Advance(60001);
    EXPECT_EQ(link->Write(Bytes{'B'}), 1);
    EXPECT_EQ(bus->chunks.size(), 6u);
    EXPECT_EQ(bus->chunks[4], (Bytes{0, 0}));

    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    bus->ready = Bytes(300, 'x');
    EXPECT_EQ(link->Read(buffer, 256), 256);
    EXPECT_EQ(link->Read(buffer, 1), 1);
    EXPECT_EQ(link->Read(buffer, 256), 43);
    EXPECT_EQ(link->Read(buffer, 256), 0);
    bus->printers[1].bulkIn = 0;  // a printer that only takes data
    ASSERT_EQ(link->Open("USB"), 0);
    bus->ready = Bytes{'1'};
    EXPECT_EQ(link->Read(buffer, 256), 0);

    // Stalled: the preamble and the chunk each wait 10 + 500 ms, the preamble's pause between
    // them; then the 500 ms pass is over.
    bus->stalled = true;
    const std::uint32_t start = clock.NowMs();
    EXPECT_EQ(link->Write(Bytes(10, 'x')), 0);
    EXPECT_EQ(clock.NowMs() - start, 510u + 350u + 510u + 10u);
}

TEST_F(UsbLibusbTest, APrinterThatComesBackIsReopenedWithoutTheUserUntilClose) {
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    SetPresent(false);  // switched off
    EXPECT_EQ(link->Write(Bytes{'1'}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a few attempts fail
    link->Close();  // ends the reconnection: the printer coming back is not taken
    SetPresent(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(link->Write(Bytes{'-'}), 0);
    EXPECT_EQ(std::count(bus->calls.begin(), bus->calls.end(), "claim 1"), 1);

    ASSERT_EQ(link->Open("USB"), 0);
    ASSERT_EQ(link->Write(Bytes{'1'}), 1);
    SetPresent(false);
    EXPECT_EQ(link->Write(Bytes{'2'}), 0);
    SetPresent(true);
    bool back = false;
    for (int i = 0; i < 500 && !back; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        back = link->Write(Bytes{'3'}) == 1;
    }
    EXPECT_TRUE(back);
    EXPECT_EQ(link->Close(), 0);
    std::lock_guard<std::mutex> hold(bus->lock);
    EXPECT_EQ(bus->chunks.back(), Bytes{0});
    EXPECT_EQ(std::count(bus->calls.begin(), bus->calls.end(), "claim 1"), 3);
    EXPECT_EQ(bus->calls.back(), "attach 1");
}

}  // namespace
}  // namespace tarvek
