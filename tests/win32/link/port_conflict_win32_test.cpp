// The spooler check under Wine, on printers defined in the prefix's registry (Wine's
// winspool lists the keys under ...\Control\Print\Printers; AddPrinter is refused there).
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "link/links.h"
#include "ui/recording_host.h"

namespace tarvek {
namespace {

const char kPrinters[] = "System\\CurrentControlSet\\Control\\Print\\Printers";

void SetValue(HKEY key, const char* name, const std::string& value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

class SpoolerCheck : public ::testing::Test {
  protected:
    void SetUp() override { RemoveAll(); }
    void TearDown() override { RemoveAll(); }

    static void RemoveAll() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPrinters, 0, KEY_ALL_ACCESS, &key) !=
            ERROR_SUCCESS) {
            return;
        }
        char name[512];
        DWORD size = sizeof name;
        while (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            RegDeleteTreeA(key, name);
            size = sizeof name;
        }
        RegCloseKey(key);
    }
    static void AddPrinter(const std::string& name, const std::string& port) {
        HKEY key = nullptr;
        const std::string path = std::string(kPrinters) + "\\" + name;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        SetValue(key, "Name", name);
        SetValue(key, "Port", port);
        SetValue(key, "Printer Driver", "Generic / Text Only");
        RegCloseKey(key);
    }
    bool Check(const std::string& port,
               PortConflictVariant variant = PortConflictVariant::MainDialog) {
        return check->Check(port, variant, holder, host);
    }

    std::unique_ptr<PortConflictCheck> check = MakePortConflictCheck();
    PortHolder holder;
    ui::RecordingHost host;
};

TEST_F(SpoolerCheck, NoPrintersGivesFalseAndShowsNothing) {
    EXPECT_FALSE(Check("COM1"));
    EXPECT_FALSE(Check("USB", PortConflictVariant::WifiDialog));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SpoolerCheck, PrinterOnExactlyThePortBlocksItAndIsNamed) {
    AddPrinter("Label Writer", "COM1:");
    EXPECT_TRUE(Check("COM1"));
    EXPECT_EQ(holder.printerName, "Label Writer");
    EXPECT_EQ(holder.portName, "COM1:");
    EXPECT_TRUE(Check("COM1", PortConflictVariant::WifiDialog));
    EXPECT_FALSE(Check("COM2"));
    EXPECT_EQ(holder.printerName, "");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SpoolerCheck, OtherSpellingsOfThePortDoNotMatch) {
    AddPrinter("Ten", "COM10:");
    AddPrinter("Both", "COM1:,COM2:");
    AddPrinter("Lower", "com1:");
    EXPECT_FALSE(Check("COM1"));
    EXPECT_FALSE(Check("COM2"));
    EXPECT_TRUE(Check("COM10"));
    EXPECT_EQ(holder.printerName, "Ten");
}

TEST_F(SpoolerCheck, LongPrinterNamesAreCut) {
    const std::string longName(200, 'n');  // a registry key name holds at most 255
    AddPrinter(longName, "COM3:");
    EXPECT_TRUE(Check("COM3"));
    EXPECT_EQ(holder.printerName, longName);
}

TEST_F(SpoolerCheck, ListLargerThanTheFirstBufferIsReadWhole) {
    // About 600 bytes per printer (record and strings): 300 printers pass 128 KiB.
    for (int i = 0; i < 300; ++i) {
        AddPrinter(std::string(120, 'a' + i % 26) + std::to_string(i),
                   "FILE" + std::string(120, 'f') + std::to_string(i) + ":");
    }
    AddPrinter("Last", "COM4:");
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
    ASSERT_GT(needed, 0x20000u);
    EXPECT_TRUE(Check("COM4"));
    EXPECT_EQ(holder.printerName, "Last");
    EXPECT_TRUE(host.Messages().empty());
}

}  // namespace
}  // namespace tarvek
