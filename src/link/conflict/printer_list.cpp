#include "link/conflict/printer_list.h"

#include "link/debug_output.h"

namespace tarvek {
namespace {

constexpr std::size_t kNameBufferBytes = 256;

class SpoolerPortCheck final : public PortConflictCheck {
  public:
    SpoolerPortCheck(std::unique_ptr<PrinterLister> lister, bool (*isLeadByte)(unsigned char))
        : m_lister(std::move(lister)), m_isLeadByte(isLeadByte) {}

    PortCheckResult Check(const std::string& portText, PortConflictVariant variant) override {
        PortCheckResult result;
        std::vector<PrinterRecord> printers;
        if (!m_lister->List(EnumFlags(variant), printers)) {
            result.state = PortCheck::ListUnreadable;
            return result;
        }
        const int index = FindPortHolder(printers, portText + ":");
        if (index < 0) {
            return result;
        }
        const PrinterRecord& record = printers[static_cast<std::size_t>(index)];
        if (variant == PortConflictVariant::WifiDialog) {
            DebugOutput("PrinterName = " + record.printerName + " PortName=" + record.portName +
                        " DriverName=" + record.driverName);
        }
        result.state = PortCheck::Held;
        result.holder.printerName = CutName(record.printerName, m_isLeadByte);
        result.holder.portName = CutName(record.portName, m_isLeadByte);
        return result;
    }

  private:
    std::unique_ptr<PrinterLister> m_lister;
    bool (*m_isLeadByte)(unsigned char);
};

}  // namespace

unsigned EnumFlags(PortConflictVariant variant) {
    return variant == PortConflictVariant::WifiDialog ? kEnumLocalAndConnections : kEnumLocal;
}

int FindPortHolder(const std::vector<PrinterRecord>& printers, const std::string& portKey) {
    for (std::size_t i = 0; i < printers.size(); ++i) {
        if (printers[i].portName == portKey) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string CutName(const std::string& name, bool (*isLeadByte)(unsigned char)) {
    const std::size_t limit = kNameBufferBytes - 1;
    if (name.size() <= limit) {
        return name;
    }
    // Walk the characters so a cut never splits a lead byte from its trail byte.
    std::size_t end = 0;
    for (;;) {  // ends by the limit: name is longer than it
        const std::size_t width =
            isLeadByte && isLeadByte(static_cast<unsigned char>(name[end])) ? 2 : 1;
        if (end + width > limit) {
            return name.substr(0, end);
        }
        end += width;
    }
}

std::unique_ptr<PortConflictCheck> MakePortConflictCheck(std::unique_ptr<PrinterLister> lister,
                                                         bool (*isLeadByte)(unsigned char)) {
    return std::make_unique<SpoolerPortCheck>(std::move(lister), isLeadByte);
}

}  // namespace tarvek
