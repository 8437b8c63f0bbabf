#include "link/printer_list.h"

#include <gtest/gtest.h>

#include "ui/recording_host.h"

namespace tarvek {
namespace {

class ListedPrinters : public PrinterLister {
  public:
    ListedPrinters(std::vector<PrinterRecord> printers, bool ok, unsigned* flags)
        : m_printers(std::move(printers)), m_ok(ok), m_flags(flags) {}
    bool List(unsigned flags, std::vector<PrinterRecord>& printers) override {
        *m_flags = flags;
        printers = m_printers;
        return m_ok;
    }

  private:
    std::vector<PrinterRecord> m_printers;
    bool m_ok;
    unsigned* m_flags;
};

bool DoubleByteLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

class PortCheck : public ::testing::Test {
  protected:
    bool Run(std::vector<PrinterRecord> printers, const std::string& port,
             PortConflictVariant variant = PortConflictVariant::MainDialog, bool ok = true) {
        auto check = MakePortConflictCheck(
            std::make_unique<ListedPrinters>(std::move(printers), ok, &flags), DoubleByteLead);
        return check->Check(port, variant, holder, host);
    }
    unsigned flags = 0;
    PortHolder holder{"stale", "stale"};
    ui::RecordingHost host;
};

TEST_F(PortCheck, ExactPortBlocksAndNamesThePrinter) {
    EXPECT_TRUE(Run({{"Office", "LPT1:", "d"}, {"Label", "COM1:", "drv"}}, "COM1"));
    EXPECT_EQ(holder.printerName, "Label");
    EXPECT_EQ(holder.portName, "COM1:");
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(PortCheck, OnlyTheWholeStringMatches) {
    EXPECT_FALSE(Run({{"A", "COM10:", ""}, {"B", "COM1:,COM2:", ""}, {"C", "com1:", ""}}, "COM1"));
    EXPECT_FALSE(Run({{"B", "COM1:,COM2:", ""}}, "COM2"));
    EXPECT_EQ(holder.printerName, "");
    EXPECT_EQ(holder.portName, "");
}

TEST_F(PortCheck, FirstMatchInTheSpoolersOrder) {
    EXPECT_TRUE(Run({{"First", "USB:", ""}, {"Second", "USB:", ""}}, "USB"));
    EXPECT_EQ(holder.printerName, "First");
}

TEST_F(PortCheck, NoPrintersGivesFalseAndShowsNothing) {
    EXPECT_FALSE(Run({}, "COM1"));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(PortCheck, UnreadableListIsReportedAndGivesFalse) {
    EXPECT_FALSE(Run({{"Label", "COM1:", ""}}, "COM1", PortConflictVariant::MainDialog, false));
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "EnumPrinters() failed");
    EXPECT_EQ(host.Messages()[0].caption, "EnumPrinters() Error");
}

TEST_F(PortCheck, VariantsEnumerateTheirOwnSets) {
    Run({}, "COM1", PortConflictVariant::MainDialog);
    EXPECT_EQ(flags, 2u);
    Run({}, "COM1", PortConflictVariant::WifiDialog);
    EXPECT_EQ(flags, 6u);
}

TEST_F(PortCheck, LongNamesAreCutTo255Bytes) {
    EXPECT_TRUE(Run({{std::string(300, 'p'), "COM1:", ""}}, "COM1"));
    EXPECT_EQ(holder.printerName, std::string(255, 'p'));
}

TEST(CutName, NeverSplitsADoubleByteCharacter) {
    const std::string korean = "\xB0\xA1";  // one character of code page 949
    std::string name = "a";
    while (name.size() < 300) {
        name += korean;
    }
    const std::string cut = CutName(name, DoubleByteLead);
    EXPECT_EQ(cut.size(), 255u);  // "a" and 127 whole characters
    EXPECT_EQ(CutName(name.substr(1), DoubleByteLead).size(), 254u);
    EXPECT_EQ(CutName(name.substr(1), nullptr).size(), 255u);
    EXPECT_EQ(CutName("short", DoubleByteLead), "short");
}

}  // namespace
}  // namespace tarvek
