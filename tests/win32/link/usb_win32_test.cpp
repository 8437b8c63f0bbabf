// CUsbLink under Wine with a fake Setup API and named-pipe devices.
#include <gtest/gtest.h>

#include <cstring>

#include "support/virtual_clock.h"
#include "win32/link/fake_usb_system.h"

namespace tarvek {
namespace {

using testing::FakeUsbDevice;
using testing::FakeUsbState;
using testing::FakeUsbSystem;
using testing::VirtualClock;
using ByteList = std::vector<std::uint8_t>;
using Messages = std::vector<ByteList>;

const std::string kGood = "\\\\?\\usb#vid_0525&pid_a702#5&1a2b3c4d&0&1#{28d78fad}";

std::string PipeName(const char* tag) {
    return std::string("\\\\.\\pipe\\tarvek-usb-") + tag + "-" +
           std::to_string(GetCurrentProcessId());
}

class UsbLinkTest : public ::testing::Test {
  protected:
    // Adds an interface; with a device when pipeTag is given.
    void AddInterface(const std::string& path, FakeUsbDevice* device = nullptr,
                      bool present = true) {
        state.paths.push_back(path);
        if (present) {
            state.present.insert(path);
        }
        if (device) {
            state.pipes[path] = device->Name();
        }
    }
    std::unique_ptr<UsbPrinterLink> MakeLink() {
        return MakeUsbLink(clock, std::make_unique<FakeUsbSystem>(state));
    }
    int WriteBytes(UsbPrinterLink& link, const ByteList& bytes) { return link.Write(bytes); }

    FakeUsbState state;
    VirtualClock clock{1000};
};

TEST_F(UsbLinkTest, FindsOnlyTheVendorAndProductInLowerCase) {
    FakeUsbDevice device(PipeName("match"));
    AddInterface("\\\\?\\USB#VID_0525&PID_A702#caps", &device);
    AddInterface("\\\\?\\usb#vid_0526&pid_a702#vendor", &device);
    AddInterface("\\\\?\\usb#vid_0525&pid_a703#product", &device);
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    ASSERT_EQ(state.deviceOpens.size(), 1u);
    EXPECT_EQ(state.deviceOpens[0], kGood + "\\USB0/4");
    EXPECT_EQ(link->Close(), 0);
}

TEST_F(UsbLinkTest, RefusedPathsGiveFailureAndReleaseTheSetupApi) {
    FakeUsbDevice device(PipeName("refused"));
    AddInterface("\\\\?\\USB#VID_0525&PID_A702#caps", &device);
    AddInterface("\\\\?\\usb#vid_0525&pid_a70", &device);  // shorter than the prefix
    auto link = MakeLink();
    EXPECT_EQ(link->Open("USB"), 1);
    EXPECT_TRUE(state.deviceOpens.empty());
    EXPECT_FALSE(state.loaded);
    EXPECT_EQ(link->Close(), 3);
}

TEST_F(UsbLinkTest, FirstOfTwoMatchesIsTaken) {
    FakeUsbDevice first(PipeName("first")), second(PipeName("second"));
    AddInterface(kGood + "-a", &first);
    AddInterface(kGood + "-b", &second);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(state.deviceOpens, (std::vector<std::string>{kGood + "-a\\USB0/4"}));
    link->Close();
}

TEST_F(UsbLinkTest, MatchThatDoesNotOpenIsSkipped) {
    FakeUsbDevice device(PipeName("skip"));
    AddInterface(kGood + "-gone", &device, false);
    AddInterface(kGood + "-here", &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(state.deviceOpens, (std::vector<std::string>{kGood + "-here\\USB0/4"}));
    link->Close();
}

TEST_F(UsbLinkTest, LegacyWindowsTakesTheFirstInterfaceThatOpens) {
    FakeUsbDevice device(PipeName("legacy"));
    state.legacy = 1;
    AddInterface("\\\\.\\printer-off", &device, false);
    AddInterface("\\\\.\\any-printer", &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(state.deviceOpens, (std::vector<std::string>{"\\\\.\\any-printer\\USB0/4"}));
    link->Close();
}

TEST_F(UsbLinkTest, PathTooLongForTheBufferIsNotOpened) {
    FakeUsbDevice device(PipeName("long"));
    AddInterface(kGood + std::string(256 - 7 - kGood.size(), 'x'), &device);  // 256 with suffix
    AddInterface(kGood + std::string(255 - 7 - kGood.size(), 'y'), &device);  // fits
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    ASSERT_EQ(state.deviceOpens.size(), 1u);
    EXPECT_EQ(state.deviceOpens[0].size(), 255u);
    link->Close();
}

TEST_F(UsbLinkTest, MissingSetupApiOrNoInterfaceFails) {
    state.setupApiPresent = false;
    auto link = MakeLink();
    EXPECT_EQ(link->Open("USB"), 1);
    state.setupApiPresent = true;
    EXPECT_EQ(link->Open("USB"), 1);  // no interface of the class
    EXPECT_EQ(link->Close(), 3);
}

TEST_F(UsbLinkTest, WritesInChunksOf64WithThePauseAfterThePreamble) {
    FakeUsbDevice device(PipeName("chunks"));
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    ByteList data(100);
    for (int i = 0; i < 100; ++i) {
        data[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(WriteBytes(*link, data), 1);
    const Messages got = device.Messages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], (ByteList{0, 0}));
    EXPECT_EQ(got[1], ByteList(data.begin(), data.begin() + 64));
    EXPECT_EQ(got[2], ByteList(data.begin() + 64, data.end()));
    EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{350, 10}));

    clock.ClearSleeps();
    clock.Advance(60000);
    EXPECT_EQ(WriteBytes(*link, ByteList{'A'}), 1);  // within 60 s: no preamble
    EXPECT_EQ(device.Messages(), (Messages{{'A'}}));
    clock.Advance(60001);
    EXPECT_EQ(WriteBytes(*link, ByteList{'B'}), 1);
    EXPECT_EQ(device.Messages(), (Messages{{0, 0}, {'B'}}));
    link->Close();
}

TEST_F(UsbLinkTest, CloseSendsOneZeroByteThenReportsNotOpen) {
    FakeUsbDevice device(PipeName("close"));
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    WriteBytes(*link, ByteList{'x'});
    device.Messages();
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(device.Messages(), (Messages{{0}}));
    EXPECT_FALSE(state.loaded);
    EXPECT_EQ(link->Close(), 3);
    EXPECT_EQ(WriteBytes(*link, ByteList{'y'}), 0);
    EXPECT_TRUE(device.Messages().empty());
}

TEST_F(UsbLinkTest, ReadsWithoutAWaitingCountAreBounded) {
    // A pipe does not answer the waiting-byte query, as some printer drivers do not.
    FakeUsbDevice device(PipeName("read"));
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    device.Send("0\r\n");
    ASSERT_EQ(link->Read(buffer, 256), 3);
    EXPECT_EQ(std::memcmp(buffer, "0\r\n", 3), 0);
    EXPECT_EQ(link->Read(buffer, 256), 0);
    link->Close();
}

TEST_F(UsbLinkTest, FailedChunkReconnectsWhenThePrinterComesBack) {
    FakeUsbDevice device(PipeName("reconnect"));
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);  // armed from the first open
    EXPECT_EQ(WriteBytes(*link, ByteList{'1'}), 1);
    device.Messages();

    device.Disconnect();  // switched off
    {
        std::lock_guard<std::mutex> hold(state.lock);
        state.present.clear();
    }
    EXPECT_EQ(WriteBytes(*link, ByteList{'2'}), 0);
    bool closedSeen = false;
    for (int i = 0; i < 200 && !closedSeen; ++i) {
        closedSeen = WriteBytes(*link, ByteList{'-'}) == 0;
        ::Sleep(5);
    }
    EXPECT_TRUE(closedSeen);

    device.Create();  // switched on again
    {
        std::lock_guard<std::mutex> hold(state.lock);
        state.present.insert(kGood);
    }
    bool back = false;
    for (int i = 0; i < 400 && !back; ++i) {
        ::Sleep(5);
        back = WriteBytes(*link, ByteList{'3'}) == 1;
    }
    EXPECT_TRUE(back);
    const Messages got = device.Messages();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), ByteList{'3'});
    EXPECT_GE(state.deviceOpens.size(), 2u);
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(device.Messages(), (Messages{{0}}));
}

TEST_F(UsbLinkTest, CloseStopsAReconnectionInProgress) {
    FakeUsbDevice device(PipeName("stop"));
    AddInterface(kGood, &device);
    auto link = MakeLink();
    ASSERT_EQ(link->Open("USB"), 0);
    device.Disconnect();
    {
        std::lock_guard<std::mutex> hold(state.lock);
        state.present.clear();
    }
    EXPECT_EQ(WriteBytes(*link, ByteList{'2'}), 0);
    const int result = link->Close();  // joins the reconnect thread
    EXPECT_TRUE(result == 0 || result == 3) << result;
    EXPECT_FALSE(state.loaded);
    EXPECT_EQ(link->Close(), 3);
}

}  // namespace
}  // namespace tarvek
