// The spooler check under Wine, on printers defined in the prefix's registry (Wine's winspool
// lists the keys under ...\Control\Print\Printers; AddPrinter is refused there).
#include <windows.h>

#include <gtest/gtest.h>

#include "link/links.h"

namespace tarvek {
namespace {

const char kPrinters[] = "System\\CurrentControlSet\\Control\\Print\\Printers";

class SpoolerCheck : public ::testing::Test {
  protected:
    SpoolerCheck() { RemovePrinters(); }
    ~SpoolerCheck() override { RemovePrinters(); }

    static void RemovePrinters() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPrinters, 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);  // every printer, the key itself stays
            RegCloseKey(key);
        }
    }
    static void AddPrinter(const std::string& name, const std::string& port) {
        const std::string key = std::string(kPrinters) + "\\" + name;
        for (const auto& [value, data] :
             {std::make_pair("Name", name), std::make_pair("Port", port),
              std::make_pair("Printer Driver", std::string("Generic"))}) {
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), value, REG_SZ, data.c_str(),
                            static_cast<DWORD>(data.size() + 1));
        }
    }
    // "Free", or "<printer> on <port>" for the holder.
    std::string Check(const std::string& port,
                      PortConflictVariant variant = PortConflictVariant::MainDialog) {
        const PortCheckResult r = check->Check(port, variant);
        return r.state == PortCheck::Free   ? "Free"
               : r.state == PortCheck::Held ? r.holder.printerName + " on " + r.holder.portName
                                            : "unreadable";
    }

    std::unique_ptr<PortConflictCheck> check = MakePortConflictCheck();
};

TEST_F(SpoolerCheck, OnlyAPrinterOnExactlyThePortHoldsIt) {
    EXPECT_EQ(Check("COM1"), "Free");
    AddPrinter("Ten", "COM10:");
    AddPrinter("Both", "COM1:,COM2:");
    AddPrinter("Lower", "com1:");
    EXPECT_EQ(Check("COM1"), "Free");
    EXPECT_EQ(Check("COM2", PortConflictVariant::WifiDialog), "Free");
    EXPECT_EQ(Check("COM10"), "Ten on COM10:");
    AddPrinter("Label Writer", "COM1:");
    EXPECT_EQ(Check("COM1"), "Label Writer on COM1:");
    EXPECT_EQ(Check("COM1", PortConflictVariant::WifiDialog), "Label Writer on COM1:");
}

TEST_F(SpoolerCheck, AListLargerThanTheFirstBufferIsReadWhole) {
    // About 600 bytes a printer (record and strings): 300 printers pass 128 KiB.
    for (int i = 0; i < 300; ++i) {
        AddPrinter(std::string(120, 'a' + i % 26) + std::to_string(i),
                   "FILE" + std::string(120, 'f') + std::to_string(i) + ":");
    }
    AddPrinter(std::string(200, 'n'), "COM4:");
    EXPECT_EQ(Check("COM4"), std::string(200, 'n') + " on COM4:");
}

}  // namespace
}  // namespace tarvek
