// The Windows USB link under Wine on a stand-in Setup API: interfaces with chosen paths whose
// device is a message-mode named pipe held by the test (each chunk the link writes arrives as
// one message), and a printer that goes away and comes back.
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <set>

#include "link/usb/usb_system_win32.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

const std::string kPrinter = "\\\\?\\usb#vid_0525&pid_a702#5&1a2b3c4d&0&1#{28d78fad}";

// The interfaces the Setup API lists, which of them are present, and the printer's end.
struct UsbWorld {
    std::mutex lock;
    std::vector<std::string> paths{kPrinter};
    std::set<std::string> present{kPrinter};
    std::vector<std::string> opened;  // every overlapped open of a device path
    bool loaded = false;
    bool refusesEveryIndex = false;   // a device list that fails for another reason than its end
    static inline int s_nWorlds = 0;  // a pipe of an earlier test may linger: each its own
    const std::string pipe = "\\\\.\\pipe\\tarvek-usb-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++s_nWorlds);
    HANDLE printer = INVALID_HANDLE_VALUE;

    void SwitchOn(bool on) {
        std::lock_guard<std::mutex> hold(lock);
        if (on) {
            printer = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 65536, 65536,
                                       0, nullptr);
            present = {kPrinter};
        } else {
            DisconnectNamedPipe(printer);
            CloseHandle(printer);
            present.clear();
        }
    }
    std::vector<Bytes> Received() {
        std::vector<Bytes> messages;
        DWORD available = 0, size = 0;
        while (PeekNamedPipe(printer, nullptr, 0, nullptr, &available, &size) && available > 0) {
            Bytes bytes(size);
            ReadFile(printer, bytes.data(), size, &size, nullptr);
            messages.push_back(bytes);
        }
        return messages;
    }
};
UsbWorld* g_pWorld = nullptr;

// The four Setup API functions over g_pWorld's paths.
HDEVINFO WINAPI ClassDevs(const GUID*, PCSTR, HWND, DWORD) {
    return HDEVINFO(g_pWorld);
}
BOOL WINAPI Enum(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD i, PSP_DEVICE_INTERFACE_DATA data) {
    data->Reserved = i;
    SetLastError(g_pWorld->refusesEveryIndex ? ERROR_INVALID_PARAMETER : ERROR_NO_MORE_ITEMS);
    if (g_pWorld->refusesEveryIndex) {
        return FALSE;
    }
    return i < g_pWorld->paths.size();
}
BOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                   PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD needed,
                   PSP_DEVINFO_DATA) {
    const std::string& path = g_pWorld->paths[data->Reserved];
    const DWORD required = static_cast<DWORD>(sizeof(DWORD) + path.size() + 1);
    if (needed != nullptr) {
        *needed = required;
    }
    if (detail == nullptr || size < required) {
        return FALSE;
    }
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    return TRUE;
}
BOOL WINAPI Destroy(HDEVINFO) {
    return TRUE;
}

class FakeUsbSystem final : public UsbSystem {
  public:
    bool LoadSetupApi(SetupApiFunctions& f) override {
        f = {&Enum, &Destroy, &ClassDevs, &Detail};
        return g_pWorld->loaded = true;
    }
    void UnloadSetupApi() override { g_pWorld->loaded = false; }
    bool IsSetupApiLoaded() const override { return g_pWorld->loaded; }
    int IsLegacyWindows() override { return 0; }
    HANDLE OpenDevice(const char* path, bool overlapped) override {
        std::lock_guard<std::mutex> hold(g_pWorld->lock);
        std::string device = path;
        if (!overlapped) {  // the test open of an interface that matched
            return g_pWorld->present.count(device) ? CreateEventA(nullptr, TRUE, FALSE, nullptr)
                                                   : INVALID_HANDLE_VALUE;
        }
        g_pWorld->opened.push_back(device);
        device.resize(device.size() - std::strlen("\\USB0/4"));
        return !g_pWorld->present.count(device)
                   ? INVALID_HANDLE_VALUE
                   : CreateFileA(g_pWorld->pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }
    void PauseBeforeRetry() override { ::Sleep(5); }
};

class UsbLink : public ::testing::Test {
  protected:
    UsbLink() {
        g_pWorld = &world;
        world.SwitchOn(true);
    }
    ~UsbLink() override {
        link.reset();
        world.SwitchOn(false);
        g_pWorld = nullptr;
    }
    std::size_t Opens() {
        std::lock_guard<std::mutex> hold(world.lock);
        return world.opened.size();
    }

    UsbWorld world;
    testing::VirtualClock clock;
    std::unique_ptr<UsbPrinterLink> link = MakeUsbLink(clock, std::make_unique<FakeUsbSystem>());
};

TEST_F(UsbLink, OpensTheFirstPresentPrinterOfThisVendorAndProduct) {
    world.paths = {"\\\\?\\USB#VID_0525&PID_A702#caps",
                   "\\\\?\\usb#vid_0526&pid_a702#vendor",
                   "\\\\?\\usb#vid_0525&pid_a703#product",
                   kPrinter + "-off",
                   kPrinter,
                   kPrinter + "-second"};
    world.present = {"\\\\?\\USB#VID_0525&PID_A702#caps", kPrinter, kPrinter + "-second"};
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(world.opened, std::vector<std::string>{kPrinter + "\\USB0/4"});
    EXPECT_EQ(link->Close(), 0);
    world.paths.clear();
    EXPECT_EQ(link->Open("USB"), 1);
    EXPECT_FALSE(world.loaded);
    EXPECT_EQ(link->Close(), 3);
    world.refusesEveryIndex = true;  // the search ends all the same
    EXPECT_EQ(link->Open("USB"), 1);
}

TEST_F(UsbLink, WritesChunksOf64AfterThePreambleAndAZeroByteOnClose) {
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(link->Write(Bytes(100, 0x5A)), 1);
    EXPECT_EQ(world.Received(), (std::vector<Bytes>{{0, 0}, Bytes(64, 0x5A), Bytes(36, 0x5A)}));
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    DWORD sent = 0;
    WriteFile(world.printer, "0\r\n", 3, &sent, nullptr);
    EXPECT_EQ(link->Read(buffer, 256), 3);
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(world.Received(), std::vector<Bytes>{{0}});
    EXPECT_EQ(link->Close(), 3);
}

TEST_F(UsbLink, APrinterSwitchedOffAndOnAgainIsReconnected) {
    ASSERT_EQ(link->Open("USB"), 0);
    world.SwitchOn(false);
    EXPECT_EQ(link->Write(Bytes{'1'}), 0);
    world.SwitchOn(true);
    // No write while the link reconnects: one that failed just before would drop the device
    // again, and this pipe takes no second client.
    for (int i = 0; i < 400 && Opens() < 2; ++i) {
        ::Sleep(5);
    }
    ::Sleep(50);
    EXPECT_EQ(link->Write(Bytes{'2'}), 1);
    EXPECT_EQ(world.Received().back(), Bytes{'2'});
    world.SwitchOn(false);  // Close ends a reconnection under way
    EXPECT_EQ(link->Write(Bytes{'3'}), 0);
    link->Close();
    EXPECT_FALSE(world.loaded);
    world.SwitchOn(true);
}

}  // namespace
}  // namespace tarvek
