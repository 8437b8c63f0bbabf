#include "link/conflict/printer_list.h"

#include <gtest/gtest.h>

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

PortCheckResult CheckPort(std::vector<PrinterRecord> printers, const std::string& port,
                          PortConflictVariant variant = PortConflictVariant::MainDialog,
                          bool ok = true, unsigned* flags = nullptr) {
    unsigned seen = 0;
    auto check = MakePortConflictCheck(
        std::make_unique<ListedPrinters>(std::move(printers), ok, flags ? flags : &seen),
        DoubleByteLead);
    return check->Check(port, variant);
}

TEST(PortCheck, OnlyTheWholePortNameFollowedByAColonMatches) {
    const std::vector<PrinterRecord> printers = {
        {"Office", "LPT1:", ""}, {"Ten", "COM10:", ""},   {"Both", "COM1:,COM2:", ""},
        {"Lower", "com3:", ""},  {"Label", "COM1:", "d"}, {"Second", "COM1:", ""},
    };
    struct Case {
        const char* port;
        PortCheck state;
        const char* printer;
    };
    for (const Case& c :
         {Case{"COM1", PortCheck::Held, "Label"}, Case{"COM2", PortCheck::Free, ""},
          Case{"COM3", PortCheck::Free, ""}, Case{"LPT1", PortCheck::Held, "Office"},
          Case{"USB", PortCheck::Free, ""}}) {
        const PortCheckResult r = CheckPort(printers, c.port);
        EXPECT_EQ(r.state, c.state) << c.port;
        EXPECT_EQ(r.holder.printerName, c.printer) << c.port;
    }
    EXPECT_EQ(CheckPort(printers, "COM1").holder.portName, "COM1:");
}

TEST(PortCheck, UnreadableListAndVariantsEnumeratingTheirOwnSets) {
    unsigned flags = 0;
    EXPECT_EQ(
        CheckPort({{"Label", "COM1:", ""}}, "COM1", PortConflictVariant::MainDialog, false, &flags)
            .state,
        PortCheck::ListUnreadable);
    EXPECT_EQ(flags, 2u);
    CheckPort({}, "COM1", PortConflictVariant::WifiDialog, true, &flags);
    EXPECT_EQ(flags, 6u);
}

TEST(PortCheck, LongNamesAreCutTo255BytesNeverInsideADoubleByteCharacter) {
    EXPECT_EQ(CheckPort({{std::string(300, 'p'), "COM1:", ""}}, "COM1").holder.printerName,
              std::string(255, 'p'));
    std::string name = "a";
    while (name.size() < 300) {
        name += "\xB0\xA1";  // one character of code page 949
    }
    EXPECT_EQ(CutName(name, DoubleByteLead).size(), 255u);  // "a" and 127 whole characters
    EXPECT_EQ(CutName(name.substr(1), DoubleByteLead).size(), 254u);
    EXPECT_EQ(CutName(name.substr(1), nullptr).size(), 255u);
}

}  // namespace
}  // namespace tarvek
