#include "cli/session/bluetooth_ports.h"

#include <algorithm>

#include "link/port_kind.h"

namespace tarvek::cli {
namespace {

// The device as a port, named also by the serial ports the system made for it (a Windows COM
// port, an rfcomm node), which the machine's list knows by the device's address.
PortInfo DeviceAsPort(const BluetoothDevice& device, const std::vector<PortInfo>& machine) {
    PortInfo port;
    port.name = BluetoothPortName(device.address);
    port.friendlyName = device.name;
    port.kind = PortKind::BluetoothSerial;
    port.bluetoothAddress = device.address;
    port.access = PortAccess::Allowed;  // the connection needs no device node
    for (const PortInfo& serial : machine) {
        std::string address;
        if (NormalizeBluetoothAddress(serial.bluetoothAddress, address) &&
            address == device.address) {
            port.aliases.push_back(serial.name);
        }
    }
    return port;
}

bool Reachable(const BluetoothDevice& device) {
    return device.paired && device.serial;
}

// A named "bt:" port: the paired printer, or missing.
PortInfo NamedPort(const std::string& name, const std::vector<BluetoothDevice>& devices,
                   const std::vector<PortInfo>& machine) {
    std::string address;
    if (ParseBluetoothPortName(name, address)) {
        for (const BluetoothDevice& device : devices) {
            if (device.address == address && Reachable(device)) {
                return DeviceAsPort(device, machine);
            }
        }
    }
    PortInfo missing;
    missing.name = name;
    missing.kind = PortKind::Missing;
    return missing;
}

std::vector<PortInfo> ListWith(const std::vector<std::string>& paths, const PortFinder& finder,
                               const BluetoothClientFactory& makeClient) {
    std::vector<BluetoothDevice> devices;
    const std::unique_ptr<BluetoothClient> client = makeClient ? makeClient() : nullptr;
    if (client != nullptr) {
        client->Scan(0, devices);
    }
    std::vector<std::string> others;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(others),
                 [](const std::string& p) { return LinkKindOfPort(p) != LinkKind::Bluetooth; });
    const std::vector<PortInfo> listed = finder.list(others);
    // The named ports first, in the caller's order; then the scan's; then the paired printers.
    std::vector<PortInfo> ports;
    std::size_t next = 0;
    for (const std::string& path : paths) {
        if (LinkKindOfPort(path) == LinkKind::Bluetooth) {
            ports.push_back(NamedPort(path, devices, listed));
        } else if (next < listed.size()) {
            ports.push_back(listed[next++]);
        }
    }
    ports.insert(ports.end(), listed.begin() + static_cast<std::ptrdiff_t>(next), listed.end());
    for (const BluetoothDevice& device : devices) {
        const std::string name = BluetoothPortName(device.address);
        if (Reachable(device) && std::none_of(ports.begin(), ports.end(),
                                              [&](const PortInfo& p) { return p.name == name; })) {
            ports.push_back(DeviceAsPort(device, listed));
        }
    }
    return ports;
}

// The "bt:" ports probed one at a time after the others; the results in the order of ports.
std::vector<LineDetection> DetectWith(const std::vector<std::string>& ports,
                                      const DetectionPlan& plan, const PortFinder& finder,
                                      const PortFinder::DetectFunction& detectBluetooth) {
    std::vector<std::string> serial, bluetooth;
    for (const std::string& port : ports) {
        (LinkKindOfPort(port) == LinkKind::Bluetooth ? bluetooth : serial).push_back(port);
    }
    DetectionPlan oneAtATime = plan;
    oneAtATime.maxParallel = 1;
    const std::vector<LineDetection> serialFound =
        serial.empty() ? std::vector<LineDetection>{} : finder.detect(serial, plan);
    const std::vector<LineDetection> bluetoothFound =
        bluetooth.empty() ? std::vector<LineDetection>{} : detectBluetooth(bluetooth, oneAtATime);
    std::vector<LineDetection> found;
    std::size_t s = 0, b = 0;
    for (const std::string& port : ports) {
        const bool bt = LinkKindOfPort(port) == LinkKind::Bluetooth;
        const std::vector<LineDetection>& from = bt ? bluetoothFound : serialFound;
        std::size_t& at = bt ? b : s;
        found.push_back(at < from.size() ? from[at] : LineDetection{});
        ++at;
    }
    return found;
}

}  // namespace

PortFinder WithBluetoothPorts(PortFinder finder, BluetoothClientFactory client,
                              PortFinder::DetectFunction detectBluetooth) {
    PortFinder combined;
    combined.list = [finder, client](const std::vector<std::string>& paths) {
        return ListWith(paths, finder, client);
    };
    combined.detect = [finder, detectBluetooth](const std::vector<std::string>& ports,
                                                const DetectionPlan& plan) {
        return DetectWith(ports, plan, finder, detectBluetooth);
    };
    return combined;
}

}  // namespace tarvek::cli
