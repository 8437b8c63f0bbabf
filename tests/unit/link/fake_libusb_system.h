// A stand-in for libusb and a USB printer: interfaces with chosen identities, a device that
// can be unplugged and plugged in again or stall, a kernel driver that is bound or not, and a
// log of the calls the link makes on the device.
#pragma once

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "link/usb/usb_system_libusb.h"
#include "support/virtual_clock.h"

namespace tarvek::testing {

struct FakeUsbBus : LibusbSystem {
    explicit FakeUsbBus(VirtualClock& c) : clock(c) {}
    VirtualClock& clock;
    std::mutex lock;
    std::vector<UsbPrinterInterface> printers;
    bool present = true, kernelDriver = true, stalled = false;
    UsbStatus claimStatus = UsbStatus::Ok;
    std::vector<std::string> calls;  // "detach 1", "claim 1", "release 1", "attach 1"
    std::vector<Bytes> chunks;       // every bulk write
    Bytes ready;                     // what the printer has to send

    // A call on the device; driver 0/1 unbinds or binds the kernel's driver.
    UsbStatus Call(const std::string& what, int n, int driver = -1) {
        std::lock_guard<std::mutex> hold(lock);
        calls.push_back(what + " " + std::to_string(n));
        kernelDriver = driver < 0 || !present ? kernelDriver : driver == 1;
        return !present ? UsbStatus::NoDevice : what == "claim" ? claimStatus : UsbStatus::Ok;
    }
    std::vector<UsbPrinterInterface> PrinterInterfaces() override {
        std::lock_guard<std::mutex> hold(lock);
        return present ? printers : std::vector<UsbPrinterInterface>{};
    }
    std::unique_ptr<UsbDeviceHandle> OpenDevice(const UsbPrinterInterface&, UsbStatus&) override;
    void PauseBeforeRetry() override { std::this_thread::sleep_for(std::chrono::milliseconds(2)); }
};

struct FakeUsbDevice : UsbDeviceHandle {
    explicit FakeUsbDevice(FakeUsbBus& b) : bus(b) {}
    FakeUsbBus& bus;
    bool KernelDriverActive(int) override { return bus.kernelDriver; }
    UsbStatus DetachKernelDriver(int n) override { return bus.Call("detach", n, 0); }
    UsbStatus AttachKernelDriver(int n) override { return bus.Call("attach", n, 1); }
    UsbStatus ClaimInterface(int n) override { return bus.Call("claim", n); }
    UsbStatus ReleaseInterface(int n) override { return bus.Call("release", n); }
    UsbStatus SetAltSetting(int n, int) override { return bus.Call("alt", n); }
    UsbStatus BulkWrite(std::uint8_t, const std::uint8_t* data, int length, int& sent,
                        std::uint32_t timeoutMs) override {
        std::lock_guard<std::mutex> hold(bus.lock);
        sent = bus.present && !bus.stalled ? length : 0;
        if (sent == 0) {  // a stalled printer holds the transfer for its whole time-out
            bus.clock.Advance(bus.present ? timeoutMs : 0);
            return bus.present ? UsbStatus::Timeout : UsbStatus::NoDevice;
        }
        bus.chunks.emplace_back(data, data + length);
        return UsbStatus::Ok;
    }
    UsbStatus BulkRead(std::uint8_t, std::uint8_t* buffer, int capacity, int& received,
                       std::uint32_t) override {
        std::lock_guard<std::mutex> hold(bus.lock);
        received = std::min(capacity, static_cast<int>(bus.ready.size()));
        std::copy_n(bus.ready.begin(), received, buffer);
        bus.ready.erase(bus.ready.begin(), bus.ready.begin() + received);
        return received > 0 ? UsbStatus::Ok : UsbStatus::Timeout;
    }
};

inline std::unique_ptr<UsbDeviceHandle> FakeUsbBus::OpenDevice(const UsbPrinterInterface&,
                                                               UsbStatus& status) {
    std::lock_guard<std::mutex> hold(lock);
    status = present ? UsbStatus::Ok : UsbStatus::NoDevice;
    return present ? std::make_unique<FakeUsbDevice>(*this) : nullptr;
}

}  // namespace tarvek::testing
