// Linux port discovery on a fake file-system tree.
#include "link/discovery/port_discovery_linux.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarvek {
namespace {

// A UART, a reserved ttyS without one, a USB adapter with its by-id name held by a process, a
// device known by its by-id name alone, a Bluetooth port, the USB printer (held by the CUPS
// backend's process) and a USB mouse; a process gone before its descriptors were read, and proc's
// own "self" (not a process).
constexpr char kTree[] = R"(set -e
mkdir -p dev/pts dev/bus/usb/001 dev/serial/by-id dev/serial/by-path sys/class/tty/ttyS0 sys/class/tty/ttyS1
mkdir -p sys/class/tty/rfcomm0 sys/devices/pnp0/00:05 sys/devices/usb1/1-2/1-2:1.0/ttyUSB0
mkdir -p sys/class/tty/ttyUSB0 sys/class/tty/ttyACM0 sys/bus/usb/devices/1-3 sys/bus/usb/devices/1-3:1.0/usbmisc/lp0
mkdir -p sys/bus/usb/devices/1-4:1.0 proc/4242/fd proc/4343/fd proc/4444 proc/self/fd
touch dev/ttyS0 dev/ttyS1 dev/ttyUSB0 dev/ttyACM0 dev/rfcomm0 dev/pts/7 dev/tty0 dev/bus/usb/001/005
chgrp dialout dev/ttyUSB0; chgrp 4242 dev/ttyACM0  # a group without a name
echo 4 >sys/class/tty/ttyS0/type; echo 0 >sys/class/tty/ttyS1/type
echo 00:19:01:2a:3b:4c >sys/class/tty/rfcomm0/address
cd sys/devices/usb1/1-2; echo 0403 >idVendor; echo 6001 >idProduct
echo FT232R USB UART >product; cd ../../../bus/usb/devices
cd 1-3; echo 0525 >idVendor; echo a702 >idProduct; echo 1 >busnum; echo 5 >devnum; cd ..
cd 1-3:1.0; echo 07 >bInterfaceClass; echo 'MFG:Tarvek;MDL:LP 200;' >ieee1284_id; cd ..
echo 03 >1-4:1.0/bInterfaceClass; ln -s ../../../bus/usb/drivers/usblp 1-3:1.0/driver
cd ../../../class/tty; ln -s ../../../devices/pnp0/00:05 ttyS0/device
ln -s ../../../devices/pnp0/00:05 ttyS1/device
ln -s ../../../devices/usb1/1-2/1-2:1.0/ttyUSB0 ttyUSB0/device; cd ../../..
ln -s ../../ttyUSB0 dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0
ln -s ../../ttyACM0 dev/serial/by-id/usb-Tarvek_LP_200-if00
ln -s ../../ttyUSB0 dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0
echo minicom >proc/4242/comm; ln -s /dev/ttyUSB0 proc/4242/fd/3
echo usb >proc/4343/comm; ln -s /dev/bus/usb/001/005 proc/4343/fd/4
ln -s /dev/rfcomm0 proc/self/fd/9
)";

// One CUPS queue, "label", on /dev/ttyS0.
struct OneQueue : PortConflictCheck {
    PortCheckResult Check(const std::string& port, PortConflictVariant) override {
        PortCheckResult result;
        if (port == "/dev/ttyS0") {
            result.state = PortCheck::Held;
            result.holder = {"label", "serial:/dev/ttyS0", HolderKind::CupsQueue, 0};
        }
        return result;
    }
};

TEST(PortDiscoveryLinux, ListsWhatAPersonRecognisesWithItsHolder) {
    char dir[] = "/tmp/tarvek-discovery-XXXXXX";
    const std::string root = mkdtemp(dir);
    ASSERT_EQ(std::system(("cd " + root + " && sh <<'END'\n" + kTree + "END").c_str()), 0);
    OneQueue check;
    const std::vector<PortInfo> ports = ListLinuxPorts(root, check, {"/dev/pts/7", "ttyUSB9"});
    std::system(("rm -rf " + root).c_str());
    const struct {
        std::string name, friendly;
        PortKind kind;
        std::uint16_t vendor;
        std::string alias, holder, group;
    } expected[] = {
        {"/dev/pts/7", "", PortKind::Other, 0, "", "", "dialout"},
        {"/dev/ttyUSB9", "", PortKind::Missing, 0, "", "", ""},
        {"/dev/rfcomm0", "", PortKind::BluetoothSerial, 0, "", "", "dialout"},
        {"/dev/ttyACM0", "usb-Tarvek_LP_200-if00", PortKind::Other, 0,  // named by its link
         "/dev/serial/by-id/usb-Tarvek_LP_200-if00", "", "dialout"},
        {"/dev/ttyS0", "", PortKind::SerialCable, 0, "", "label", "dialout"},
        {"/dev/ttyUSB0", "FT232R USB UART", PortKind::UsbSerialAdapter, 0x0403,
         "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0 "
         "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0",
         "minicom", "dialout"},
        {"USB", "Tarvek LP 200", PortKind::UsbPrinter, 0x0525, "/dev/usb/lp0", "usb", "lp"},
    };
    ASSERT_EQ(ports.size(), std::size(expected));
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const PortInfo& p = ports[i];
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.name, expected[i].name);
        EXPECT_EQ(p.friendlyName, expected[i].friendly);
        EXPECT_EQ(p.kind, expected[i].kind);
        EXPECT_EQ(p.vendorId, expected[i].vendor);
        std::string aliases;
        for (const std::string& a : p.aliases) {
            aliases += (aliases.empty() ? "" : " ") + a;
        }
        EXPECT_EQ(aliases, expected[i].alias);
        EXPECT_EQ(p.holder.printerName, expected[i].holder);
        EXPECT_EQ(p.held, expected[i].holder.empty() ? PortCheck::Free : PortCheck::Held);
        EXPECT_EQ(p.accessGroup, expected[i].group);
        EXPECT_EQ(p.transport, i == 6 ? TransportKind::Usb : TransportKind::Serial);
        EXPECT_TRUE(p.allProcessesSeen);
    }
    EXPECT_EQ(ports[2].bluetoothAddress, "00:19:01:2A:3B:4C");
    EXPECT_EQ(ports[4].holder.kind, HolderKind::CupsQueue);
    EXPECT_EQ(ports[5].holder.kind, HolderKind::Process);
    EXPECT_EQ(ports[5].holder.processId, 4242);
    EXPECT_EQ(ports[5].productId, 0x6001);
    EXPECT_EQ(ports[5].access, PortAccess::Allowed);
    EXPECT_EQ(ports[6].kernelDriver, "usblp");
}

}  // namespace
}  // namespace tarvek
