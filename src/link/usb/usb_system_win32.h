// The operating-system side of CUsbLink that tests replace: the Setup API module and its four
// functions, the Windows generation, the opening of a device path, and the reconnect thread's
// pause. Everything else the link does (writes, reads, purges) uses the device handle it got
// here, so a test's device may be any handle with overlapped I/O (a named pipe).
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <cstdint>
#include <memory>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

struct SetupApiFunctions {
    BOOL(WINAPI* enumDeviceInterfaces)
    (HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA) = nullptr;
    BOOL(WINAPI* destroyDeviceInfoList)(HDEVINFO) = nullptr;
    HDEVINFO(WINAPI* getClassDevsA)(const GUID*, PCSTR, HWND, DWORD) = nullptr;
    BOOL(WINAPI* getDeviceInterfaceDetailA)
    (HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_A, DWORD, PDWORD,
     PSP_DEVINFO_DATA) = nullptr;
};

class UsbSystem {
  public:
    virtual ~UsbSystem() = default;
    // Loads SETUPAPI.DLL (once) and fills the four functions; false when the module or one of
    // them is missing.
    virtual bool LoadSetupApi(SetupApiFunctions& functions) = 0;
    virtual void UnloadSetupApi() = 0;
    virtual bool IsSetupApiLoaded() const = 0;
    // 1 = Windows 9x, 2 = NT 4 or older, 0 = Windows 2000 and later.
    virtual int IsLegacyWindows() = 0;
    // CreateFileA with read and write access, share mode 0, OPEN_EXISTING, and
    // FILE_FLAG_OVERLAPPED when asked; INVALID_HANDLE_VALUE when it cannot be opened.
    virtual HANDLE OpenDevice(const char* path, bool overlapped) = 0;
    // The reconnect thread's pause between attempts (500 ms); called on that thread.
    virtual void PauseBeforeRetry() = 0;
};

std::unique_ptr<UsbSystem> MakeWindowsUsbSystem();

// CUsbLink on the given system; pauses and time stamps of writes go through clock (on the
// GUI thread only).
std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock, std::unique_ptr<UsbSystem> system);

}  // namespace tarvek
