// The operating-system side of the libusb printer link that tests replace: the printer-class
// interfaces of the attached devices, the opening of one, the few calls made on an open
// device, and the reconnect thread's pause. The link's own logic (which printer, the kernel
// driver given back, chunks, budgets, reconnection) stays above this line.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

// One interface of the USB printer class (7) on an attached device, at the alternate setting
// the link would use: bidirectional (protocol 2) where the device offers it, else
// unidirectional (protocol 1).
struct UsbPrinterInterface {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint8_t busNumber = 0;
    std::uint8_t deviceAddress = 0;
    int interfaceNumber = 0;
    int altSetting = 0;
    std::uint8_t bulkOut = 0;  // endpoint addresses
    std::uint8_t bulkIn = 0;   // 0 for a printer that only takes data
};

enum class UsbStatus : int { Ok = 0, Timeout, NoDevice, Busy, AccessDenied, NotFound, Failed };

// An opened device; destroying it closes it.
class UsbDeviceHandle {
  public:
    virtual ~UsbDeviceHandle() = default;
    virtual bool KernelDriverActive(int interfaceNumber) = 0;
    virtual UsbStatus DetachKernelDriver(int interfaceNumber) = 0;
    virtual UsbStatus AttachKernelDriver(int interfaceNumber) = 0;
    virtual UsbStatus ClaimInterface(int interfaceNumber) = 0;
    virtual UsbStatus ReleaseInterface(int interfaceNumber) = 0;
    virtual UsbStatus SetAltSetting(int interfaceNumber, int altSetting) = 0;
    // One bulk transfer bounded by timeoutMs; the bytes moved are counted also when it ends
    // with a time-out.
    virtual UsbStatus BulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length,
                                int& sent, std::uint32_t timeoutMs) = 0;
    virtual UsbStatus BulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int capacity,
                               int& received, std::uint32_t timeoutMs) = 0;
};

class LibusbSystem {
  public:
    virtual ~LibusbSystem() = default;
    // Every printer-class interface of the attached devices, in the system's order.
    virtual std::vector<UsbPrinterInterface> PrinterInterfaces() = 0;
    // The device of that interface, opened; null (with the reason in status) when it cannot be.
    virtual std::unique_ptr<UsbDeviceHandle> OpenDevice(const UsbPrinterInterface& printer,
                                                        UsbStatus& status) = 0;
    // The reconnect thread's pause between attempts (500 ms); called on that thread.
    virtual void PauseBeforeRetry() = 0;
};

// libusb-1.0 with a context of its own (no printers when libusb cannot start).
std::unique_ptr<LibusbSystem> MakeLibusbSystem();

// The USB printer link on the given system; pauses and time stamps of writes go through clock
// (on the caller's thread only).
std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock, std::unique_ptr<LibusbSystem> system);

}  // namespace tarvek
