// Port discovery on Windows: the ports class of the Setup API, the SERIALCOMM map, and the
// USB printer that the USB link opens.
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <memory>

#include "link/links.h"
#include "link/discovery/port_discovery.h"
#include "link/usb/usb_port_name.h"
#include "link/discovery/windows_device_ids.h"

namespace tarvek {
namespace {

// GUID_DEVCLASS_PORTS and GUID_DEVINTERFACE_USBPRINT.
constexpr GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
constexpr GUID kUsbPrintInterface = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
constexpr char kPrinterPathKey[] = "vid_0525&pid_a702";

struct DeviceSetCloser {
    void operator()(HDEVINFO set) const { SetupDiDestroyDeviceInfoList(set); }
};
using DeviceSet = std::unique_ptr<void, DeviceSetCloser>;
struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

DeviceSet OpenSet(const GUID& guid, DWORD flags) {
    const HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, nullptr, flags);
    return DeviceSet(set == INVALID_HANDLE_VALUE ? nullptr : set);
}

std::string StringValue(HKEY key, const char* name) {
    char value[256] = {};
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return "";
    }
    return value;
}

PortInfo* Find(std::vector<PortInfo>& ports, const std::string& name) {
    for (PortInfo& port : ports) {
        if (lstrcmpiA(port.name.c_str(), name.c_str()) == 0) {
            return &port;
        }
    }
    return nullptr;
}

void AddSetupApiPorts(std::vector<PortInfo>& ports) {
    const DeviceSet set = OpenSet(kPortsClass, DIGCF_PRESENT);
    for (DWORD index = 0; set; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiEnumDeviceInfo(set.get(), index, &device)) {
            break;
        }
        const HKEY raw =
            SetupDiOpenDevRegKey(set.get(), &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        const Key key(raw == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE) ? nullptr : raw);
        PortInfo port;
        port.name = key ? StringValue(key.get(), "PortName") : "";
        if (port.name.compare(0, 3, "COM") != 0) {
            continue;  // printer ports (LPT) are in the same class
        }
        char text[512] = {};
        if (SetupDiGetDeviceRegistryPropertyA(set.get(), &device, SPDRP_FRIENDLYNAME, nullptr,
                                              reinterpret_cast<BYTE*>(text), sizeof text - 1,
                                              nullptr)) {
            port.friendlyName = text;
        }
        std::fill(std::begin(text), std::end(text), '\0');
        if (SetupDiGetDeviceInstanceIdA(set.get(), &device, text, sizeof text - 1, nullptr)) {
            const WindowsDeviceFacts facts = FactsFromInstanceId(text);
            port.kind = facts.kind;
            port.vendorId = facts.vendorId;
            port.productId = facts.productId;
            port.bluetoothAddress = facts.bluetoothAddress;
            port.serialNumber = facts.serialNumber;
        }
        ports.push_back(port);
    }
}

// The ports the serial drivers have published: under Wine the only list there is.
void AddSerialCommPorts(std::vector<PortInfo>& ports) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &raw) !=
        ERROR_SUCCESS) {
        return;
    }
    const Key key(raw);
    for (DWORD index = 0;; ++index) {
        char name[256] = {}, data[256] = {};
        DWORD nameSize = sizeof name - 1, dataSize = sizeof data - 1, type = 0;
        const LONG rc = RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataSize);
        if (rc == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (rc != ERROR_SUCCESS || type != REG_SZ || Find(ports, data)) {
            continue;
        }
        PortInfo port;
        port.name = data;
        port.kind = KindFromSerialCommName(name);
        ports.push_back(port);
    }
}

void AddUsbPrinters(std::vector<PortInfo>& ports) {
    const DeviceSet set = OpenSet(kUsbPrintInterface, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    for (DWORD index = 0; set; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &kUsbPrintInterface, index, &data)) {
            break;
        }
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailA(set.get(), &data, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            continue;
        }
        std::vector<std::uint64_t> storage((needed + 7) / 8);
        auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!SetupDiGetDeviceInterfaceDetailA(set.get(), &data, detail, needed, nullptr, nullptr)) {
            continue;
        }
        std::string path = detail->DevicePath;
        CharLowerBuffA(path.data(), static_cast<DWORD>(path.size()));
        if (path.find(kPrinterPathKey) == std::string::npos || Find(ports, "USB")) {
            continue;
        }
        PortInfo port;
        port.name = "USB";
        port.kind = PortKind::UsbPrinter;
        port.transport = TransportKind::Usb;
        port.vendorId = kPrinterVendorId;
        port.productId = kPrinterProductId;
        ports.push_back(port);
    }
}

}  // namespace

std::vector<PortInfo> ListPorts(const std::vector<std::string>& extraPaths) {
    std::vector<PortInfo> found;
    AddSetupApiPorts(found);
    AddSerialCommPorts(found);
    std::stable_sort(found.begin(), found.end(), [](const PortInfo& a, const PortInfo& b) {
        return ComPortBefore(a.name, b.name);
    });
    AddUsbPrinters(found);

    // The caller's names first, described as found, or as missing when Windows has no such
    // device.
    std::vector<PortInfo> ports;
    for (const std::string& name : extraPaths) {
        PortInfo* known = Find(found, name);
        char target[512];
        PortInfo port;
        port.name = name;
        if (known) {
            port = *known;
            known->name.clear();
        } else if (!QueryDosDeviceA(name.c_str(), target, sizeof target)) {
            port.kind = PortKind::Missing;
        }
        ports.push_back(port);
    }
    for (const PortInfo& port : found) {
        if (!port.name.empty()) {
            ports.push_back(port);
        }
    }
    const std::unique_ptr<PortConflictCheck> check = MakePortConflictCheck();
    for (PortInfo& port : ports) {
        if (port.kind == PortKind::Missing) {
            continue;
        }
        const PortCheckResult result = check->Check(port.name, PortConflictVariant::MainDialog);
        port.held = result.state;
        port.holder = result.holder;
    }
    return ports;
}

}  // namespace tarvek
