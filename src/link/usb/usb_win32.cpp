// CUsbLink: the printer as a USB printing-class device (overlapped I/O on its interface).
#include <windows.h>
#include <setupapi.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "link/links.h"
#include "link/usb/usb_reconnect.h"
#include "link/usb/usb_system_win32.h"
#include "link/usb/usb_write.h"
#include "link/win32_handle.h"

namespace tarvek {
namespace {

// GUID_DEVINTERFACE_USBPRINT.
constexpr GUID kUsbPrintInterface = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
constexpr char kPathPrefix[] = "\\\\?\\usb#vid_0525&pid_a702";
constexpr std::size_t kPathPrefixLength = sizeof kPathPrefix - 1;  // 25
constexpr char kPathSuffix[] = "\\USB0/4";
constexpr std::size_t kPathBufferBytes = 256;
// Indexes in a row that the device list may refuse before the search gives up.
constexpr int kMaxRefusedIndexes = 64;
constexpr DWORD kUnansweredReadWaitMs = 100;

class CUsbLink final : public UsbPrinterLink, private UsbChunkPort {
  public:
    CUsbLink(Clock& clock, std::unique_ptr<UsbSystem> system)
        : m_clock(clock),
          m_system(std::move(system)),
          m_reconnect([this] { return OpenDevice(); }, [this] { m_system->PauseBeforeRetry(); }) {}
    ~CUsbLink() override {
        m_reconnect.Stop();
        CloseDevice();
    }
    using PrinterLink::Write;

    int Open(const std::string&) override {
        if (!m_system->LoadSetupApi(m_setupApi)) {
            return 1;
        }
        if (!OpenDevice()) {
            m_system->UnloadSetupApi();
            return 1;
        }
        m_readEvent.Reset(NewEvent(true));
        m_reconnect.open = true;
        // Armed from the first open on, so a printer switched off in the first session
        // comes back too.
        m_reconnect.idle = true;
        m_idle = IdleState{true, 0};
        return 0;
    }

    int Close() override {
        if (m_system->IsSetupApiLoaded()) {
            const std::uint8_t zero = 0;
            Write(&zero, 1);
        }
        m_reconnect.Stop();
        m_system->UnloadSetupApi();
        m_readEvent.Reset();
        if (!m_reconnect.MarkClosed()) {
            return 3;
        }
        if (m_device.load()) {
            PurgeComm(m_device.load(),
                      PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
            CloseDevice();
        }
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        return RunUsbWrite(*this, m_clock, m_idle, m_reconnect.open, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        const HANDLE device = m_device.load();
        if (!m_reconnect.open || capacity <= 0 || !m_readEvent.Valid()) {
            return 0;
        }
        DWORD errors = 0;
        COMSTAT status{};
        const bool answered = ClearCommError(device, &errors, &status) != FALSE;
        if (answered && status.cbInQue == 0) {
            return 0;
        }
        OVERLAPPED ov{};
        ov.hEvent = m_readEvent.Get();
        ResetEvent(ov.hEvent);
        DWORD count = 0;
        if (ReadFile(device, buffer, static_cast<DWORD>(capacity), &count, &ov)) {
            return static_cast<int>(count);
        }
        if (GetLastError() != ERROR_IO_PENDING) {
            ClearCommError(device, &errors, &status);
            return 0;
        }
        // A driver that does not tell how many bytes wait gets a short bounded read, so an
        // empty poll still returns instead of blocking the dialog.
        if (!answered && WaitForSingleObject(ov.hEvent, kUnansweredReadWaitMs) != WAIT_OBJECT_0) {
            CancelIo(device);
        }
        for (;;) {
            if (GetOverlappedResult(device, &ov, &count, TRUE)) {
                return static_cast<int>(count);
            }
            if (GetLastError() != ERROR_IO_INCOMPLETE) {
                ClearCommError(device, &errors, &status);
                return answered ? static_cast<int>(count) : 0;
            }
        }
    }

  private:
    // One auto-reset event per pass and per idle preamble.
    void BeginPass() override { m_passEvent.Reset(NewEvent(false)); }
    void EndPass() override { m_passEvent.Reset(); }

    // One chunk: the count sent, or -1 on failure.
    int SendChunk(const std::uint8_t* data, int length, std::uint32_t budgetMs) override {
        const HANDLE device = m_device.load();
        const HANDLE event = m_passEvent.Get();
        if (!event) {
            return -1;
        }
        ResetEvent(event);
        OVERLAPPED ov{};
        ov.hEvent = event;
        DWORD count = 0;
        const std::uint32_t start = m_clock.NowMs();
        if (WriteFile(device, data, static_cast<DWORD>(length), &count, &ov)) {
            return static_cast<int>(count);
        }
        if (GetLastError() != ERROR_IO_PENDING) {
            return -1;
        }
        for (;;) {
            if (GetOverlappedResult(device, &ov, &count, FALSE)) {
                return static_cast<int>(count);
            }
            if (GetLastError() != ERROR_IO_INCOMPLETE) {
                return -1;
            }
            if (ElapsedMs(start, m_clock.NowMs()) > budgetMs) {
                CancelIo(device);
                // The request refers to ov: it must end before ov goes away.
                GetOverlappedResult(device, &ov, &count, TRUE);
                return -1;
            }
            m_clock.Sleep(kUsbChunkPollMs);
        }
    }

    // After a failed chunk on an armed link: the device goes and the reconnect thread starts.
    void ChunkFailed() override {
        m_reconnect.Drop([this] { CloseDevice(); });
    }

    bool FindPrinterDevicePath(char (&path)[kPathBufferBytes]) {
        const HDEVINFO set = m_setupApi.getClassDevsA(&kUsbPrintInterface, nullptr, nullptr,
                                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (set == INVALID_HANDLE_VALUE) {
            return false;
        }
        bool found = false;
        // An index the list refuses is skipped; a list that refuses every index it is asked
        // for (not only past its end) would otherwise keep the search going for ever.
        int refusedInARow = 0;
        for (DWORD index = 0; refusedInARow < kMaxRefusedIndexes; ++index) {
            SP_DEVICE_INTERFACE_DATA data{};
            data.cbSize = sizeof data;
            if (!m_setupApi.enumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, index, &data)) {
                if (GetLastError() == ERROR_NO_MORE_ITEMS) {
                    break;
                }
                ++refusedInARow;
                continue;
            }
            refusedInARow = 0;
            if (OpenInterfaceDevice(set, data, path)) {
                found = true;
                break;
            }
        }
        m_setupApi.destroyDeviceInfoList(set);
        return found;
    }

    bool OpenInterfaceDevice(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data,
                             char (&path)[kPathBufferBytes]) {
        DWORD needed = 0;
        m_setupApi.getDeviceInterfaceDetailA(set, &data, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            return false;
        }
        // Aligned storage for the detail record; its cbSize is the record's own size (5 on
        // 32-bit Windows, 8 on 64-bit).
        std::vector<std::uint64_t> storage((needed + sizeof(std::uint64_t) - 1) /
                                           sizeof(std::uint64_t));
        auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!m_setupApi.getDeviceInterfaceDetailA(set, &data, detail, needed, nullptr, nullptr)) {
            return false;
        }
        const std::size_t room = needed - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        const std::size_t length = strnlen(detail->DevicePath, room);
        // The path and the suffix must fit the path buffer with their terminating zero.
        if (length + sizeof kPathSuffix > kPathBufferBytes) {
            return false;
        }
        std::memcpy(path, detail->DevicePath, length);
        path[length] = '\0';
        if (m_system->IsLegacyWindows() == 0 &&
            (length < kPathPrefixLength || std::strncmp(path, kPathPrefix, kPathPrefixLength))) {
            return false;
        }
        UniqueHandle test(m_system->OpenDevice(path, false));
        return test.Valid();
    }

    // Used by Open and by the reconnect thread.
    bool OpenDevice() {
        char path[kPathBufferBytes] = {};
        if (!FindPrinterDevicePath(path)) {
            return false;
        }
        std::strcat(path, kPathSuffix);
        CloseDevice();
        const HANDLE device = m_system->OpenDevice(path, true);
        if (device == INVALID_HANDLE_VALUE || device == nullptr) {
            return false;
        }
        m_device.store(device);
        return true;
    }

    void CloseDevice() {
        const HANDLE device = m_device.exchange(nullptr);
        if (device) {
            CloseHandle(device);
        }
    }

    Clock& m_clock;
    std::unique_ptr<UsbSystem> m_system;
    SetupApiFunctions m_setupApi;
    // Shared with the reconnect thread: an atomic, so the thread's store of the handle is
    // seen before its store of the open flag.
    std::atomic<HANDLE> m_device{nullptr};
    UniqueHandle m_readEvent;
    UniqueHandle m_passEvent;
    IdleState m_idle;
    UsbReconnect m_reconnect;
};

}  // namespace

std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock, std::unique_ptr<UsbSystem> system) {
    return std::make_unique<CUsbLink>(clock, std::move(system));
}

std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock) {
    return MakeUsbLink(clock, MakeWindowsUsbSystem());
}

}  // namespace tarvek
