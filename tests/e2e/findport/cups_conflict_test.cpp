// The CUPS port check against a real cupsd started in a private folder, with queues added by
// lpadmin; the USB printer's identity comes from a fake sysfs tree.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "link/conflict/port_conflict_cups.h"
#include "support/child_process.h"

namespace tarvek {
namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";

struct Folder {
    std::string d;
    ~Folder() { std::system(("rm -rf " + d).c_str()); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(d + "/" + name) << text << "\n";
    }
};

TEST(CupsPortCheck, AQueueHoldsThePortItsDeviceUriNames) {
    if (access(kCupsd, X_OK) != 0) {
        GTEST_SKIP() << "cupsd is not installed";
    }
    char dir[] = "/tmp/tarvek-cups-XXXXXX";
    const Folder f{mkdtemp(dir)};
    const std::string& d = f.d;
    const std::string usb = "sys/bus/usb/devices/1-3";
    ASSERT_EQ(std::system(("cd " + d + " && mkdir -p spool cache state tmp " + usb + " " + usb +
                           ":1.0 && touch ttyFAKE && ln -s ttyFAKE alias")
                              .c_str()),
              0);
    f.Write("cupsd.conf", "Listen " + d + "/cups.sock\n<Location />\nAllow all\n</Location>");
    f.Write("cups-files.conf", "SystemGroup root\nServerRoot " + d + "\nRequestRoot " + d +
                                   "/spool\nCacheDir " + d + "/cache\nStateDir " + d +
                                   "/state\nTempDir " + d + "/tmp\nErrorLog " + d + "/log");
    for (const char* file : {"/idVendor 0525", "/idProduct a702", "/manufacturer Tarvek",
                             "/product LP 200", "/serial 76", ":1.0/bInterfaceClass 07"}) {
        const std::string line = file;
        f.Write(usb + line.substr(0, line.find(' ')), line.substr(line.find(' ') + 1));
    }
    setenv("CUPS_SERVER", (d + "/cups.sock").c_str(), 1);
    const std::unique_ptr<PortConflictCheck> check = MakeCupsPortConflictCheck(d + "/");
    // The queue holding a port and its device URI; "" when the port is free.
    auto holder = [&](const std::string& port) {
        const PortCheckResult r = check->Check(port, PortConflictVariant::MainDialog);
        EXPECT_EQ(r.holder.kind,
                  r.state == PortCheck::Held ? HolderKind::CupsQueue : HolderKind::WindowsPrinter);
        return r.state == PortCheck::Free ? "" : r.holder.printerName + " " + r.holder.portName;
    };
    auto addQueue = [&](const std::string& name, const std::string& uri) {
        return std::system(("timeout 20 lpadmin -p " + name + " -v '" + uri + "' -E").c_str());
    };

    EXPECT_EQ(holder(d + "/ttyFAKE"), "");  // no server running: nobody holds it
    const testing::ChildProcess cupsd(
        {kCupsd, "-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
    ASSERT_TRUE(testing::WaitUntil([&] { return access((d + "/cups.sock").c_str(), 0) == 0; }));
    const std::string serialUri = "serial:" + d + "/ttyFAKE?baud=9600";
    ASSERT_EQ(addQueue("label", serialUri), 0);
    ASSERT_EQ(addQueue("office", "usb://Tarvek/LP%20200?serial=77"), 0);
    ASSERT_EQ(addQueue("net", "socket://192.0.2.1:9100"), 0);  // holds no local port
    EXPECT_EQ(holder(d + "/ttyFAKE"), "label " + serialUri);
    EXPECT_EQ(holder(d + "/alias"), "label " + serialUri);  // the same device by another name
    EXPECT_EQ(holder("/dev/ttyS9"), "");
    EXPECT_EQ(holder("USB"), "");  // another printer of the same model
    f.Write(usb + "/serial", "77");
    EXPECT_EQ(holder("USB"), "office usb://Tarvek/LP%20200?serial=77");
    EXPECT_EQ(holder("usb:0525:a703"), "");
    ASSERT_EQ(addQueue("any", "usb://Tarvek/LP%20200"), 0);  // no serial number: maker and model
    f.Write(usb + "/serial", "78");
    EXPECT_EQ(holder("USB"), "any usb://Tarvek/LP%20200");
    // A snapshot answers from the list it read first; the check reads it afresh.
    const auto snapshot = MakeCupsQueueSnapshot(d + "/");
    const auto held = [&] { return snapshot->Check(d + "/ttyFAKE", {}).state; };
    EXPECT_EQ(held(), PortCheck::Held);
    ASSERT_EQ(std::system("timeout 20 lpadmin -x label"), 0);
    EXPECT_EQ(held(), PortCheck::Held);
    EXPECT_EQ(holder(d + "/ttyFAKE"), "");

    // A server that hangs up on every request gives no list: unreadable, not free.
    const int mute = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s/mute.sock", d.c_str());
    ASSERT_EQ(bind(mute, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    listen(mute, 8);
    std::thread hangUp([mute] {
        for (int c; (c = accept(mute, nullptr, nullptr)) >= 0;) {
            close(c);
        }
    });
    setenv("CUPS_SERVER", address.sun_path, 1);
    EXPECT_EQ(check->Check("/dev/ttyS9", PortConflictVariant::MainDialog).state,
              PortCheck::ListUnreadable);
    shutdown(mute, SHUT_RDWR);  // ends the accept
    hangUp.join();
    close(mute);
}

}  // namespace
}  // namespace tarvek
