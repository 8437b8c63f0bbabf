#include "link/discovery/port_discovery_linux.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>

#include "link/file_tree.h"
#include "link/conflict/port_conflict_cups.h"
#include "link/usb/usb_port_name.h"
#include "link/usb/usb_printers_sysfs.h"

namespace tarvek {
namespace {

// Who has which device open, from the descriptors under proc/<pid>/fd.
struct OpenDevices {
    std::map<std::string, PortHolder> byDevice;
    bool allSeen = true;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

OpenDevices ScanProcesses(const std::string& root) {
    OpenDevices open;
    for (const std::string& pid : ListDirectory(root + "proc")) {
        if (!IsNumber(pid)) {
            continue;
        }
        const std::string fds = root + "proc/" + pid + "/fd";
        if (access(fds.c_str(), R_OK | X_OK) != 0) {
            open.allSeen = open.allSeen && errno != EACCES;
            continue;
        }
        for (const std::string& fd : ListDirectory(fds)) {
            const std::string device = ReadLink(fds + "/" + fd);
            if (StartsWith(device, "/dev/") && !open.byDevice.count(device)) {
                open.byDevice[device] =
                    PortHolder{ReadFirstLine(root + "proc/" + pid + "/comm"), device,
                               HolderKind::Process, std::atoi(pid.c_str())};
            }
        }
    }
    return open;
}

bool InGroup(gid_t gid) {
    if (gid == getegid()) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(count, 0), gid) !=
           groups.begin() + std::max(count, 0);
}

// Whether this user may open the node, and the group that would let them: the node's own,
// or the usual one where the node belongs to root alone.
void DescribeAccess(const std::string& node, const char* usualGroup, PortInfo& info) {
    struct stat st {};
    if (stat(node.c_str(), &st) != 0) {
        return;
    }
    info.access = access(node.c_str(), R_OK | W_OK) == 0 ? PortAccess::Allowed : PortAccess::Denied;
    const group* owner = st.st_gid != 0 ? getgrgid(st.st_gid) : getgrnam(usualGroup);
    info.accessGroup = owner ? owner->gr_name : usualGroup;
    info.inAccessGroup = owner && InGroup(owner->gr_gid);
}

// The USB device above a sysfs folder: the nearest folder up that has an idVendor.
std::string UsbDeviceAbove(const std::string& root, std::string folder) {
    while (folder.size() > root.size()) {
        if (!ReadFirstLine(folder + "/idVendor").empty()) {
            return folder + "/";
        }
        folder.resize(folder.rfind('/'));
    }
    return "";
}

// "FTDI FT232R USB UART", or whichever of the two there is.
std::string MakerAndModel(const std::string& maker, const std::string& model) {
    return maker.empty() || model.empty() ? maker + model : maker + " " + model;
}

std::uint16_t Hex16(const std::string& path) {
    return static_cast<std::uint16_t>(std::strtoul(ReadFirstLine(path).c_str(), nullptr, 16));
}

void DescribeUsbDevice(const std::string& device, PortInfo& info) {
    info.vendorId = Hex16(device + "idVendor");
    info.productId = Hex16(device + "idProduct");
    info.serialNumber = ReadFirstLine(device + "serial");
    const std::string maker = ReadFirstLine(device + "manufacturer");
    const std::string product = ReadFirstLine(device + "product");
    info.friendlyName = MakerAndModel(maker, product);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A tty by its name under /dev, from its class folder in sysfs.
void DescribeTty(const std::string& root, const std::string& tty, PortInfo& info) {
    const std::string cls = root + "sys/class/tty/" + tty + "/";
    if (StartsWith(tty, "rfcomm")) {
        info.kind = PortKind::BluetoothSerial;
        info.bluetoothAddress = Upper(ReadFirstLine(cls + "address"));
        return;
    }
    if (ReadLink(cls + "device").empty()) {
        info.kind = PortKind::Other;
        return;
    }
    const std::string usb = UsbDeviceAbove(root, CanonicalPath(cls + "device"));
    info.kind = usb.empty() ? PortKind::SerialCable : PortKind::UsbSerialAdapter;
    if (!usb.empty()) {
        DescribeUsbDevice(usb, info);
    }
}

// A ttyS whose UART the kernel found (type 0 is "no UART": the port is only reserved).
bool IsRealUart(const std::string& root, const std::string& tty) {
    const std::string type = ReadFirstLine(root + "sys/class/tty/" + tty + "/type");
    return type.empty() ? !ReadLink(root + "sys/class/tty/" + tty + "/device").empty()
                        : type != "0";
}

bool IsScannedTty(const std::string& root, const std::string& name) {
    if (StartsWith(name, "ttyS")) {
        return IsRealUart(root, name);
    }
    return StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM") || StartsWith(name, "rfcomm");
}

class LinuxScan {
  public:
    LinuxScan(const std::string& root, PortConflictCheck& check)
        : m_root(root), m_check(check), m_open(ScanProcesses(root)) {
        // The names udev keeps for a device whatever its number: by serial number, and by
        // the USB socket it is plugged into (a station's cradles).
        for (const char* folder : {"/dev/serial/by-id/", "/dev/serial/by-path/"}) {
            for (const std::string& link : ListDirectory(root + (folder + 1))) {
                m_aliases[CanonicalPath(root + (folder + 1) + link)].push_back(folder + link);
            }
        }
    }

    // A device path ("/dev/ttyUSB0", "/dev/pts/3"), named by the caller or found.
    PortInfo Tty(const std::string& path) {
        PortInfo info;
        info.name = path;
        const std::string node = CanonicalPath(m_root + path.substr(1));
        struct stat st {};
        if (stat(node.c_str(), &st) != 0) {
            info.kind = PortKind::Missing;
            return info;
        }
        DescribeTty(m_root, node.substr(node.rfind('/') + 1), info);
        info.aliases = m_aliases[node];
        if (info.friendlyName.empty() && !info.aliases.empty()) {
            info.friendlyName = info.aliases.front().substr(info.aliases.front().rfind('/') + 1);
        }
        DescribeAccess(node, "dialout", info);
        FindHolder({"/" + node.substr(m_root.size())}, info);
        return info;
    }

    PortInfo UsbPrinter(const SysfsUsbPrinter& printer) {
        PortInfo info;
        info.name = UsbPortName(printer.vendorId, printer.productId);
        info.kind = PortKind::UsbPrinter;
        info.transport = TransportKind::Usb;
        info.vendorId = printer.vendorId;
        info.productId = printer.productId;
        info.serialNumber = printer.serial;
        info.kernelDriver = printer.kernelDriver;
        const std::string maker = printer.manufacturer.empty()
                                      ? DeviceIdField(printer.deviceId, "MFG")
                                      : printer.manufacturer;
        const std::string model =
            printer.product.empty() ? DeviceIdField(printer.deviceId, "MDL") : printer.product;
        info.friendlyName = MakerAndModel(maker, model);
        if (!printer.printerNode.empty()) {
            info.aliases.push_back(printer.printerNode);
        }
        DescribeAccess(m_root + printer.UsbfsNode().substr(1), "lp", info);
        FindHolder({printer.UsbfsNode(), printer.printerNode}, info);
        return info;
    }

  private:
    // A CUPS queue first (it would take the port back), else a process.
    void FindHolder(const std::vector<std::string>& devices, PortInfo& info) {
        info.allProcessesSeen = m_open.allSeen;
        const PortCheckResult queue = m_check.Check(info.name, PortConflictVariant::MainDialog);
        info.held = queue.state;
        if (queue.state == PortCheck::Held) {
            info.holder = queue.holder;
            return;
        }
        for (const std::string& device : devices) {
            const auto user = m_open.byDevice.find(device);
            if (user != m_open.byDevice.end()) {
                info.held = PortCheck::Held;
                info.holder = user->second;
                return;
            }
        }
    }

    std::string m_root;
    PortConflictCheck& m_check;
    OpenDevices m_open;
    std::map<std::string, std::vector<std::string>> m_aliases;  // by canonical node
};

std::string DevicePath(const std::string& portName) {
    return portName.find('/') == std::string::npos ? "/dev/" + portName : portName;
}

}  // namespace

std::vector<PortInfo> ListLinuxPorts(const std::string& rootPath, PortConflictCheck& check,
                                     const std::vector<std::string>& extraPaths) {
    // Resolved, so the devices' resolved paths begin with it.
    std::string root = CanonicalPath(rootPath);
    root += root.back() == '/' ? "" : "/";
    LinuxScan scan(root, check);
    std::vector<PortInfo> ports;
    std::vector<std::string> named;
    for (const std::string& path : extraPaths) {
        named.push_back(DevicePath(path));
        ports.push_back(scan.Tty(named.back()));
    }
    for (const std::string& name : ListDirectory(root + "dev")) {
        const std::string path = "/dev/" + name;
        if (IsScannedTty(root, name) &&
            std::find(named.begin(), named.end(), path) == named.end()) {
            ports.push_back(scan.Tty(path));
        }
    }
    for (const SysfsUsbPrinter& printer : ListSysfsUsbPrinters(root)) {
        ports.push_back(scan.UsbPrinter(printer));
    }
    return ports;
}

std::vector<PortInfo> ListPorts(const std::vector<std::string>& extraPaths) {
    const std::unique_ptr<PortConflictCheck> check = MakeCupsQueueSnapshot();
    return ListLinuxPorts("/", *check, extraPaths);
}

}  // namespace tarvek
