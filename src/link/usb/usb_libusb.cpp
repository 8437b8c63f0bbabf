// The USB printer link on Linux: a printer-class interface claimed through libusb. The
// kernel's printer driver is detached while the link holds the interface and given back
// when it lets go; writes, budgets, the closing byte and the reconnection are those of the
// Windows link.
#include <algorithm>
#include <mutex>

#include "link/links.h"
#include "link/usb/usb_port_name.h"
#include "link/usb/usb_reconnect.h"
#include "link/usb/usb_system_libusb.h"
#include "link/usb/usb_write.h"

namespace tarvek {
namespace {

// A read takes what the printer has ready: its endpoint hands waiting bytes over within a
// frame or two, so a short transfer tells "nothing yet" without holding up the caller's poll.
constexpr std::uint32_t kReadWaitMs = 2;
// Whole packets of any speed fit, so a packet is never cut (libusb would call that overflow).
constexpr int kReadBufferBytes = 512;

// A claimed interface: released, and the kernel driver attached again if it was detached,
// before the device closes.
class HeldPrinter {
  public:
    static std::unique_ptr<HeldPrinter> Take(LibusbSystem& system,
                                             const UsbPrinterInterface& printer) {
        UsbStatus status = UsbStatus::Ok;
        std::unique_ptr<UsbDeviceHandle> device = system.OpenDevice(printer, status);
        if (!device) {
            return nullptr;
        }
        const int number = printer.interfaceNumber;
        const bool detach = device->KernelDriverActive(number);
        if (detach && device->DetachKernelDriver(number) != UsbStatus::Ok) {
            return nullptr;
        }
        auto held = std::make_unique<HeldPrinter>(std::move(device), printer, detach);
        if (held->m_device->ClaimInterface(number) != UsbStatus::Ok) {
            held->m_bClaimed = false;
            return nullptr;
        }
        if (printer.altSetting != 0 &&
            held->m_device->SetAltSetting(number, printer.altSetting) != UsbStatus::Ok) {
            return nullptr;
        }
        return held;
    }
    HeldPrinter(std::unique_ptr<UsbDeviceHandle> device, const UsbPrinterInterface& printer,
                bool detached)
        : m_device(std::move(device)), m_printer(printer), m_bDetached(detached) {}
    ~HeldPrinter() {
        if (m_bClaimed) {
            m_device->ReleaseInterface(m_printer.interfaceNumber);
        }
        if (m_bDetached) {
            m_device->AttachKernelDriver(m_printer.interfaceNumber);
        }
    }
    HeldPrinter(const HeldPrinter&) = delete;
    HeldPrinter& operator=(const HeldPrinter&) = delete;

    UsbDeviceHandle& Device() { return *m_device; }
    const UsbPrinterInterface& Printer() const { return m_printer; }

  private:
    std::unique_ptr<UsbDeviceHandle> m_device;
    UsbPrinterInterface m_printer;
    bool m_bDetached;
    bool m_bClaimed = true;
};

class LibusbPrinterLink final : public UsbPrinterLink, private UsbChunkPort {
  public:
    LibusbPrinterLink(Clock& clock, std::unique_ptr<LibusbSystem> system)
        : m_clock(clock),
          m_system(std::move(system)),
          m_reconnect([this] { return OpenDevice(); }, [this] { m_system->PauseBeforeRetry(); }) {}
    using PrinterLink::Write;

    // portName: "USB", "usb:VVVV:PPPP" or "usb:any"; any other text means "USB".
    int Open(const std::string& portName) override {
        if (!ParseUsbPortName(portName, m_selector)) {
            m_selector = UsbPrinterSelector{};
        }
        // A printer this link still holds is let go first, or it could not be claimed again.
        m_reconnect.Stop();
        DropDevice();
        m_reconnect.open = false;
        if (!OpenDevice()) {
            return 1;
        }
        m_reconnect.open = true;
        m_reconnect.idle = true;  // armed from the first open on, as on Windows
        m_idle = IdleState{true, 0};
        return 0;
    }

    int Close() override {
        const std::uint8_t zero = 0;
        Write(&zero, 1);  // nothing goes out unless the link is open
        m_reconnect.Stop();
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_reconnect.MarkClosed()) {
            return 3;
        }
        m_held.reset();
        return 0;
    }

    int Write(const std::uint8_t* data, int length) override {
        return RunUsbWrite(*this, m_clock, m_idle, m_reconnect.open, data, length);
    }

    int Read(std::uint8_t* buffer, int capacity) override {
        if (!m_reconnect.open || capacity <= 0) {
            return 0;
        }
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_staged.empty() && m_held && m_held->Printer().bulkIn != 0) {
            std::uint8_t packet[kReadBufferBytes];
            int received = 0;
            m_held->Device().BulkRead(m_held->Printer().bulkIn, packet, kReadBufferBytes, received,
                                      kReadWaitMs);
            m_staged.insert(m_staged.end(), packet, packet + std::max(received, 0));
        }
        const int count = std::min(capacity, static_cast<int>(m_staged.size()));
        std::copy_n(m_staged.begin(), count, buffer);
        m_staged.erase(m_staged.begin(), m_staged.begin() + count);
        return count;
    }

  private:
    int SendChunk(const std::uint8_t* data, int length, std::uint32_t budgetMs) override {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_held) {
            return -1;
        }
        int sent = 0;
        const UsbStatus status =
            m_held->Device().BulkWrite(m_held->Printer().bulkOut, data, length, sent, budgetMs);
        return status == UsbStatus::Ok ? sent : -1;
    }

    void ChunkFailed() override {
        m_reconnect.Drop([this] { DropDevice(); });
    }

    // Used by Open and by the reconnect thread: the first matching interface that can be
    // claimed.
    bool OpenDevice() {
        for (const UsbPrinterInterface& printer : m_system->PrinterInterfaces()) {
            if (!m_selector.Matches(printer.vendorId, printer.productId)) {
                continue;
            }
            std::unique_ptr<HeldPrinter> held = HeldPrinter::Take(*m_system, printer);
            if (held) {
                std::lock_guard<std::mutex> hold(m_lock);
                m_held = std::move(held);
                m_staged.clear();
                return true;
            }
        }
        return false;
    }

    void DropDevice() {
        std::lock_guard<std::mutex> hold(m_lock);
        m_held.reset();
    }

    Clock& m_clock;
    std::unique_ptr<LibusbSystem> m_system;
    UsbPrinterSelector m_selector;
    // The device is shared with the reconnect thread, which stores a new one under the lock.
    std::mutex m_lock;
    std::unique_ptr<HeldPrinter> m_held;
    Bytes m_staged;  // read from the printer, not yet handed out
    IdleState m_idle;
    // Last, so it is the first to go: its thread ends before the printer is given back.
    UsbReconnect m_reconnect;
};

}  // namespace

std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock, std::unique_ptr<LibusbSystem> system) {
    return std::make_unique<LibusbPrinterLink>(clock, std::move(system));
}

}  // namespace tarvek
