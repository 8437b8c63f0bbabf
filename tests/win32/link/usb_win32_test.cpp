// The Windows USB link under Wine with a stand-in Setup API: interfaces with chosen paths whose
// devices are message-mode named pipes held by the test (each chunk the link writes arrives as
// one message), and a printer that goes away and comes back.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "link/usb_system_win32.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

using Messages = std::vector<Bytes>;

const std::string kPrinter = "\\\\?\\usb#vid_0525&pid_a702#5&1a2b3c4d&0&1#{28d78fad}";

// The printer's end of a device.
class Device {
  public:
    Device() { Create(); }
    ~Device() {
        if (m_pipe != INVALID_HANDLE_VALUE) {
            Unplug();
        }
    }
    // Each device its own pipe: an instance of an earlier one may linger.
    const std::string name = "\\\\.\\pipe\\tarvek-usb-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++s_nDevices);
    void Create() {
        m_pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX,
                                  PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 65536, 65536, 0,
                                  nullptr);
    }
    void Unplug() {
        DisconnectNamedPipe(m_pipe);
        CloseHandle(m_pipe);
        m_pipe = INVALID_HANDLE_VALUE;
    }
    Messages Received() {
        Messages messages;
        DWORD available = 0, size = 0;
        while (PeekNamedPipe(m_pipe, nullptr, 0, nullptr, &available, &size) && available > 0) {
            Bytes bytes(size);
            ReadFile(m_pipe, bytes.data(), size, &size, nullptr);
            messages.push_back(bytes);
        }
        return messages;
    }
    void Send(const std::string& text) {
        DWORD done = 0;
        WriteFile(m_pipe, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    }

  private:
    static inline int s_nDevices = 0;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
};

// The interfaces the Setup API lists, by member index, and which of them open.
struct Interfaces {
    std::mutex lock;
    std::vector<std::string> paths;
    std::set<std::string> present;
    std::vector<std::string> opened;  // every overlapped open
    std::string pipe;
    bool loaded = false;
};
Interfaces* g_pInterfaces = nullptr;

HDEVINFO WINAPI ClassDevs(const GUID*, PCSTR, HWND, DWORD) {
    return HDEVINFO(g_pInterfaces);
}
BOOL WINAPI Enum(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD i, PSP_DEVICE_INTERFACE_DATA data) {
    data->Reserved = i;
    SetLastError(ERROR_NO_MORE_ITEMS);
    return i < g_pInterfaces->paths.size();
}
BOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                   PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD needed,
                   PSP_DEVINFO_DATA) {
    const std::string& path = g_pInterfaces->paths[data->Reserved];
    const DWORD required = static_cast<DWORD>(sizeof(DWORD) + path.size() + 1);
    if (needed != nullptr) {
        *needed = required;
    }
    if (detail == nullptr || size < required) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
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
        return g_pInterfaces->loaded = true;
    }
    void UnloadSetupApi() override { g_pInterfaces->loaded = false; }
    bool IsSetupApiLoaded() const override { return g_pInterfaces->loaded; }
    int IsLegacyWindows() override { return 0; }
    HANDLE OpenDevice(const char* path, bool overlapped) override {
        std::lock_guard<std::mutex> hold(g_pInterfaces->lock);
        std::string device = path;
        if (!overlapped) {  // the test open of a matching interface
            return g_pInterfaces->present.count(device)
                       ? CreateEventA(nullptr, TRUE, FALSE, nullptr)
                       : INVALID_HANDLE_VALUE;
        }
        g_pInterfaces->opened.push_back(device);
        device.resize(device.size() - std::strlen("\\USB0/4"));
        return !g_pInterfaces->present.count(device)
                   ? INVALID_HANDLE_VALUE
                   : CreateFileA(g_pInterfaces->pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }
    void PauseBeforeRetry() override { ::Sleep(5); }
};

class UsbLink : public ::testing::Test {
  protected:
    UsbLink() { g_pInterfaces = &interfaces; }
    ~UsbLink() override { g_pInterfaces = nullptr; }
    std::size_t Opens() {
        std::lock_guard<std::mutex> hold(interfaces.lock);
        return interfaces.opened.size();
    }
    void SetPresent(bool present) {
        std::lock_guard<std::mutex> hold(interfaces.lock);
        interfaces.present = present ? std::set<std::string>{kPrinter} : std::set<std::string>{};
    }

    Device device;
    Interfaces interfaces{{}, {kPrinter}, {kPrinter}, {}, device.name};
    testing::VirtualClock clock;
    std::unique_ptr<UsbPrinterLink> link = MakeUsbLink(clock, std::make_unique<FakeUsbSystem>());
};

TEST_F(UsbLink, OpensTheFirstPrinterOfThisVendorAndProductThatOpens) {
    interfaces.paths = {"\\\\?\\USB#VID_0525&PID_A702#caps",
                        "\\\\?\\usb#vid_0526&pid_a702#vendor",
                        "\\\\?\\usb#vid_0525&pid_a703#product",
                        kPrinter + "-off",
                        kPrinter,
                        kPrinter + "-second"};
    interfaces.present = {"\\\\?\\USB#VID_0525&PID_A702#caps", kPrinter, kPrinter + "-second"};
    ASSERT_EQ(link->Open("USB"), 0);
    EXPECT_EQ(interfaces.opened, std::vector<std::string>{kPrinter + "\\USB0/4"});
    EXPECT_EQ(link->Close(), 0);
    interfaces.paths.clear();
    EXPECT_EQ(link->Open("USB"), 1);
    EXPECT_FALSE(interfaces.loaded);
    EXPECT_EQ(link->Close(), 3);
}

TEST_F(UsbLink, WritesChunksOf64AfterThePreambleAndAZeroByteOnClose) {
    ASSERT_EQ(link->Open("USB"), 0);
    const Bytes data(100, 0x5A);
    EXPECT_EQ(link->Write(data), 1);
    EXPECT_EQ(device.Received(), (Messages{{0, 0}, Bytes(64, 0x5A), Bytes(36, 0x5A)}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{350, 10}));
    clock.Advance(60000);
    link->Write(Bytes{'A'});
    clock.Advance(60001);
    link->Write(Bytes{'B'});
    EXPECT_EQ(device.Received(), (Messages{{'A'}, {0, 0}, {'B'}}));
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    device.Send("0\r\n");
    EXPECT_EQ(link->Read(buffer, 256), 3);
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(device.Received(), Messages{{0}});
    EXPECT_EQ(link->Close(), 3);
    EXPECT_EQ(link->Write(Bytes{'x'}), 0);
}

TEST_F(UsbLink, APrinterSwitchedOffAndOnAgainIsReconnected) {
    ASSERT_EQ(link->Open("USB"), 0);
    device.Unplug();
    SetPresent(false);
    EXPECT_EQ(link->Write(Bytes{'1'}), 0);
    device.Create();
    SetPresent(true);
    // No write while the link reconnects: one that failed just before would drop the device
    // again, and this pipe takes no second client.
    for (int i = 0; i < 400 && Opens() < 2; ++i) {
        ::Sleep(5);
    }
    ::Sleep(50);
    EXPECT_EQ(link->Write(Bytes{'2'}), 1);
    EXPECT_EQ(device.Received().back(), Bytes{'2'});
    EXPECT_EQ(link->Close(), 0);
}

TEST_F(UsbLink, CloseStopsAReconnectionUnderWay) {
    ASSERT_EQ(link->Open("USB"), 0);
    device.Unplug();
    SetPresent(false);
    EXPECT_EQ(link->Write(Bytes{'1'}), 0);
    link->Close();  // waits for the reconnect thread
    EXPECT_FALSE(interfaces.loaded);
    EXPECT_EQ(link->Close(), 3);
}

}  // namespace
}  // namespace tarvek
