// A stand-in for the Setup API and the USB printer: interfaces with chosen paths, and devices
// that are message-mode named pipes held by the test (each chunk the link writes arrives as
// one message). The Setup API functions are plain function pointers, so they reach the fake
// through one instance pointer that lives as long as the fake.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "link/usb_system_win32.h"

namespace tarvek::testing {

class FakeUsbSystem;

struct FakeUsbState {
    std::mutex lock;
    std::vector<std::string> paths;            // interface paths, by member index
    std::set<std::string> present;             // paths whose test open succeeds
    std::map<std::string, std::string> pipes;  // interface path -> pipe of its device
    std::vector<std::string> deviceOpens;      // every overlapped open, with its suffix
    int legacy = 0;
    bool setupApiPresent = true;
    bool loaded = false;
    int enumerations = 0;
};

class FakeUsbSystem final : public UsbSystem {
  public:
    explicit FakeUsbSystem(FakeUsbState& state) : m_state(state) { s_state = &state; }
    ~FakeUsbSystem() override { s_state = nullptr; }

    bool LoadSetupApi(SetupApiFunctions& f) override {
        std::lock_guard<std::mutex> hold(m_state.lock);
        if (!m_state.setupApiPresent) {
            return false;
        }
        m_state.loaded = true;
        f.enumDeviceInterfaces = &Enum;
        f.destroyDeviceInfoList = &Destroy;
        f.getClassDevsA = &ClassDevs;
        f.getDeviceInterfaceDetailA = &Detail;
        return true;
    }
    void UnloadSetupApi() override {
        std::lock_guard<std::mutex> hold(m_state.lock);
        m_state.loaded = false;
    }
    bool IsSetupApiLoaded() const override {
        std::lock_guard<std::mutex> hold(m_state.lock);
        return m_state.loaded;
    }
    int IsLegacyWindows() override { return m_state.legacy; }

    HANDLE OpenDevice(const char* path, bool overlapped) override {
        std::lock_guard<std::mutex> hold(m_state.lock);
        if (!overlapped) {
            return m_state.present.count(path) ? CreateEventA(nullptr, TRUE, FALSE, nullptr)
                                               : INVALID_HANDLE_VALUE;
        }
        m_state.deviceOpens.push_back(path);
        std::string interfacePath = path;
        const std::string suffix = "\\USB0/4";
        if (interfacePath.size() < suffix.size() ||
            interfacePath.compare(interfacePath.size() - suffix.size(), suffix.size(), suffix)) {
            return INVALID_HANDLE_VALUE;
        }
        interfacePath.resize(interfacePath.size() - suffix.size());
        auto pipe = m_state.pipes.find(interfacePath);
        if (pipe == m_state.pipes.end() || !m_state.present.count(interfacePath)) {
            return INVALID_HANDLE_VALUE;
        }
        return CreateFileA(pipe->second.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }
    void PauseBeforeRetry() override { ::Sleep(5); }

  private:
    static HDEVINFO WINAPI ClassDevs(const GUID* guid, PCSTR, HWND, DWORD flags) {
        static const GUID kUsbPrint = {
            0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
        if (!guid || !IsEqualGUID(*guid, kUsbPrint) ||
            flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)) {
            return INVALID_HANDLE_VALUE;
        }
        std::lock_guard<std::mutex> hold(s_state->lock);
        ++s_state->enumerations;
        return reinterpret_cast<HDEVINFO>(s_state);
    }
    static BOOL WINAPI Enum(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD index,
                            PSP_DEVICE_INTERFACE_DATA data) {
        std::lock_guard<std::mutex> hold(s_state->lock);
        if (index >= s_state->paths.size()) {
            SetLastError(ERROR_NO_MORE_ITEMS);
            return FALSE;
        }
        data->Reserved = index;
        return TRUE;
    }
    static BOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data,
                              PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD needed,
                              PSP_DEVINFO_DATA) {
        std::lock_guard<std::mutex> hold(s_state->lock);
        const std::string& path = s_state->paths[data->Reserved];
        const DWORD required = static_cast<DWORD>(
            offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
        if (needed) {
            *needed = required;
        }
        if (!detail || size < required) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            SetLastError(ERROR_INVALID_USER_BUFFER);
            return FALSE;
        }
        std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
        return TRUE;
    }
    static BOOL WINAPI Destroy(HDEVINFO) { return TRUE; }

    FakeUsbState& m_state;
    static inline FakeUsbState* s_state = nullptr;
};

// The printer's end of a device: a message-mode pipe server.
class FakeUsbDevice {
  public:
    explicit FakeUsbDevice(const std::string& name) : m_name(name) { Create(); }
    ~FakeUsbDevice() { Disconnect(); }
    const std::string& Name() const { return m_name; }

    void Create() {
        m_pipe = CreateNamedPipeA(m_name.c_str(), PIPE_ACCESS_DUPLEX,
                                  PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 65536,
                                  65536, 0, nullptr);
    }
    // The printer switched off: its end goes away.
    void Disconnect() {
        if (m_pipe != INVALID_HANDLE_VALUE) {
            DisconnectNamedPipe(m_pipe);
            CloseHandle(m_pipe);
            m_pipe = INVALID_HANDLE_VALUE;
        }
    }
    // Every message written so far, one per WriteFile of the link.
    std::vector<std::vector<std::uint8_t>> Messages() {
        std::vector<std::vector<std::uint8_t>> messages;
        for (;;) {
            DWORD available = 0, message = 0;
            if (!PeekNamedPipe(m_pipe, nullptr, 0, nullptr, &available, &message) ||
                available == 0) {
                return messages;
            }
            std::vector<std::uint8_t> bytes(message ? message : available);
            DWORD got = 0;
            ReadFile(m_pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
            bytes.resize(got);
            messages.push_back(bytes);
        }
    }
    void Send(const std::string& text) {
        DWORD done = 0;
        WriteFile(m_pipe, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    }

  private:
    std::string m_name;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
};

}  // namespace tarvek::testing
