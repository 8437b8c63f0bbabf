// libusb-1.0 under the USB printer link.
#include "link/usb/usb_system_libusb.h"

#include "link/links.h"

#include <libusb.h>

#include <chrono>
#include <thread>

namespace tarvek {
namespace {

constexpr std::uint8_t kPrinterClass = 7;
constexpr std::uint8_t kUnidirectional = 1;
constexpr std::uint8_t kBidirectional = 2;

UsbStatus StatusOf(int code) {
    switch (code) {
        case LIBUSB_SUCCESS:
            return UsbStatus::Ok;
        case LIBUSB_ERROR_TIMEOUT:
            return UsbStatus::Timeout;
        case LIBUSB_ERROR_NO_DEVICE:
            return UsbStatus::NoDevice;
        case LIBUSB_ERROR_BUSY:
            return UsbStatus::Busy;
        case LIBUSB_ERROR_ACCESS:
            return UsbStatus::AccessDenied;
        case LIBUSB_ERROR_NOT_FOUND:
            return UsbStatus::NotFound;
        default:
            return UsbStatus::Failed;
    }
}

struct ContextDeleter {
    void operator()(libusb_context* context) const { libusb_exit(context); }
};
struct DeviceListDeleter {
    void operator()(libusb_device** list) const { libusb_free_device_list(list, 1); }
};
struct ConfigDeleter {
    void operator()(libusb_config_descriptor* config) const {
        libusb_free_config_descriptor(config);
    }
};
using DeviceList = std::unique_ptr<libusb_device*, DeviceListDeleter>;
using Config = std::unique_ptr<libusb_config_descriptor, ConfigDeleter>;

// The bulk endpoints of one alternate setting.
void FindBulkEndpoints(const libusb_interface_descriptor& alt, UsbPrinterInterface& printer) {
    for (int e = 0; e < alt.bNumEndpoints; ++e) {
        const libusb_endpoint_descriptor& ep = alt.endpoint[e];
        if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK) {
            continue;
        }
        std::uint8_t& slot = (ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN
                                 ? printer.bulkIn
                                 : printer.bulkOut;
        if (slot == 0) {
            slot = ep.bEndpointAddress;
        }
    }
}

// The setting the link uses on one interface: bidirectional before unidirectional (the
// IEEE 1284.4 protocol is not spoken). False when the interface offers neither.
bool ChooseSetting(const libusb_interface& interface, UsbPrinterInterface& printer) {
    for (const std::uint8_t protocol : {kBidirectional, kUnidirectional}) {
        for (int a = 0; a < interface.num_altsetting; ++a) {
            const libusb_interface_descriptor& alt = interface.altsetting[a];
            if (alt.bInterfaceClass != kPrinterClass || alt.bInterfaceProtocol != protocol) {
                continue;
            }
            printer.interfaceNumber = alt.bInterfaceNumber;
            printer.altSetting = alt.bAlternateSetting;
            printer.bulkOut = printer.bulkIn = 0;
            FindBulkEndpoints(alt, printer);
            if (protocol == kUnidirectional) {
                printer.bulkIn = 0;
            }
            if (printer.bulkOut != 0) {
                return true;
            }
        }
    }
    return false;
}

class LibusbDevice final : public UsbDeviceHandle {
  public:
    explicit LibusbDevice(libusb_device_handle* handle) : m_handle(handle) {}
    ~LibusbDevice() override { libusb_close(m_handle); }
    LibusbDevice(const LibusbDevice&) = delete;
    LibusbDevice& operator=(const LibusbDevice&) = delete;

    bool KernelDriverActive(int number) override {
        return libusb_kernel_driver_active(m_handle, number) == 1;
    }
    UsbStatus DetachKernelDriver(int number) override {
        return StatusOf(libusb_detach_kernel_driver(m_handle, number));
    }
    UsbStatus AttachKernelDriver(int number) override {
        return StatusOf(libusb_attach_kernel_driver(m_handle, number));
    }
    UsbStatus ClaimInterface(int number) override {
        return StatusOf(libusb_claim_interface(m_handle, number));
    }
    UsbStatus ReleaseInterface(int number) override {
        return StatusOf(libusb_release_interface(m_handle, number));
    }
    UsbStatus SetAltSetting(int number, int alt) override {
        return StatusOf(libusb_set_interface_alt_setting(m_handle, number, alt));
    }
    UsbStatus BulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length, int& sent,
                        std::uint32_t timeoutMs) override {
        // libusb takes a non-const buffer for both directions; an OUT transfer only reads it.
        return Bulk(endpoint, const_cast<std::uint8_t*>(data), length, sent, timeoutMs);
    }
    UsbStatus BulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int capacity, int& received,
                       std::uint32_t timeoutMs) override {
        return Bulk(endpoint, buffer, capacity, received, timeoutMs);
    }

  private:
    UsbStatus Bulk(std::uint8_t endpoint, std::uint8_t* data, int length, int& moved,
                   std::uint32_t timeoutMs) {
        moved = 0;
        return StatusOf(libusb_bulk_transfer(m_handle, endpoint, data, length, &moved,
                                             static_cast<unsigned>(timeoutMs)));
    }
    libusb_device_handle* m_handle;
};

class Libusb final : public LibusbSystem {
  public:
    Libusb() {
        libusb_context* context = nullptr;
        if (libusb_init(&context) == LIBUSB_SUCCESS) {
            m_context.reset(context);
        }
    }

    std::vector<UsbPrinterInterface> PrinterInterfaces() override {
        std::vector<UsbPrinterInterface> printers;
        DeviceList list = Devices();
        for (libusb_device** it = list.get(); it && *it; ++it) {
            libusb_device_descriptor descriptor{};
            libusb_config_descriptor* raw = nullptr;
            if (libusb_get_device_descriptor(*it, &descriptor) != LIBUSB_SUCCESS ||
                libusb_get_active_config_descriptor(*it, &raw) != LIBUSB_SUCCESS) {
                continue;
            }
            const Config config(raw);
            for (int i = 0; i < config->bNumInterfaces; ++i) {
                UsbPrinterInterface printer;
                printer.vendorId = descriptor.idVendor;
                printer.productId = descriptor.idProduct;
                printer.busNumber = libusb_get_bus_number(*it);
                printer.deviceAddress = libusb_get_device_address(*it);
                if (ChooseSetting(config->interface[i], printer)) {
                    printers.push_back(printer);
                }
            }
        }
        return printers;
    }

    std::unique_ptr<UsbDeviceHandle> OpenDevice(const UsbPrinterInterface& printer,
                                                UsbStatus& status) override {
        status = UsbStatus::NotFound;
        DeviceList list = Devices();
        for (libusb_device** it = list.get(); it && *it; ++it) {
            if (libusb_get_bus_number(*it) != printer.busNumber ||
                libusb_get_device_address(*it) != printer.deviceAddress) {
                continue;
            }
            libusb_device_handle* handle = nullptr;
            status = StatusOf(libusb_open(*it, &handle));
            if (status == UsbStatus::Ok) {
                return std::make_unique<LibusbDevice>(handle);
            }
            break;
        }
        return nullptr;
    }

    void PauseBeforeRetry() override {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }

  private:
    DeviceList Devices() {
        libusb_device** list = nullptr;
        if (!m_context || libusb_get_device_list(m_context.get(), &list) < 0) {
            return DeviceList();
        }
        return DeviceList(list);
    }

    std::unique_ptr<libusb_context, ContextDeleter> m_context;
};

}  // namespace

std::unique_ptr<LibusbSystem> MakeLibusbSystem() {
    return std::make_unique<Libusb>();
}

std::unique_ptr<UsbPrinterLink> MakeUsbLink(Clock& clock) {
    return MakeUsbLink(clock, MakeLibusbSystem());
}

}  // namespace tarvek
