// The plain form: sentences in the technician's language, one value per line; failures on
// stderr with the doctor's advice.
#include <iomanip>

#include "cli/output/byte_dump.h"
#include "cli/output/bluetooth_texts.h"
#include "cli/output/cli_texts.h"
#include "cli/output/finding_texts.h"
#include "cli/output/output_forms.h"
#include "cli/output/port_sentences.h"
#include "wifimodule/module_settings.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

class TextOutput final : public Output {
  public:
    TextOutput(std::ostream& out, std::ostream& err, Wording wording, Terminals terminals)
        : Output(out, err, wording), m_bProgress(terminals.err), m_bLiveLines(terminals.out) {}

    void Progress(Step step, int done, int total) override {
        if (!m_bProgress) {
            return;
        }
        const texts::LocalizedText& line =
            step == Step::WifiWrite ? text::kSavingWifi : text::kReadingWifi;
        m_err << "\r" << FormatText(Text(line), done, total) << "   " << std::flush;
        m_bProgressShown = true;
    }

    bool LivePortLines() const override { return m_bLiveLines; }
    bool TagsPortLines() const override { return true; }

    void Show(const std::string& port, const PrinterReport& report) override {
        m_out << FormatText(Text(text::kPrinterOn), port.c_str()) << "\n";
        const auto row = [this](const std::string& key, const std::string& value) {
            m_out << "  " << std::left << std::setw(24) << key << value << "\n";
        };
        row("bluetooth.address", report.bluetoothAddress);
        for (int i = 0; i < kKeyCount; ++i) {
            const KeySpec& spec = Spec(static_cast<KeyId>(i));
            const auto it = report.values.find(spec.id);
            if (it != report.values.end()) {
                row(spec.name, spec.secret && !Words().showSecrets ? Text(text::kHidden)
                                                                   : FormatValue(spec, it->second));
            } else if (spec.reported != Reported::Query || (spec.group != Group::Wifi)) {
                row(spec.name, Text(text::kNeverReported));
            } else {
                row(spec.name, Text(report.wifi       ? text::kNotInUse
                                    : report.noModule ? text::kNoModule
                                                      : text::kWifiNotRead));
            }
        }
        if (report.wifi) {
            row("wifi.mac", report.mac);
            row("wifi.module",
                Text(report.moduleKind == WifiModuleKind::WpaCapable ? text::kModuleWpaCapable
                                                                     : text::kModuleWepOnly));
        }
        m_out << std::flush;
    }

    void Reported(const std::string& port, const PrinterReport& report,
                  const LabelSent* label) override {
        Show(port, report);
        if (label != nullptr) {
            Say(FormatText(Text(text::kLabelPrinted), EmulationKeyValue(label->emulation).c_str(),
                           static_cast<int>(label->bytes)));
        }
    }

    void Keys() override {
        for (int i = 0; i < kKeyCount; ++i) {
            const KeySpec& spec = Spec(static_cast<KeyId>(i));
            m_out << std::left << std::setw(24) << spec.name
                  << AllowedValues(spec, Words().codePage)
                  << (spec.secret ? std::string("  [") + Text(text::kSecretMark) + "]" : "")
                  << "\n";
        }
        m_out << std::flush;
    }

    void Applied(const ApplyReport& report, std::size_t written) override {
        Say(FormatText(Text(text::kApplied), static_cast<int>(written)));
        SayUnverifiable(report.unverifiable);
        if (report.network.result == Joined::Joined) {
            Say(FormatText(Text(text::kJoined), report.network.seconds,
                           report.network.port.c_str()));
        } else if (report.network.result == Joined::AddressUnknown) {
            Say(Text(text::kAddressUnknown));
        }
    }

    void Diff(const Outcome& comparison, const std::vector<KeyId>& unverifiable) override {
        Say(comparison.Ok() ? Text(text::kMatches) : OutcomeText(comparison, Words()));
        SayUnverifiable(unverifiable);
    }

    void ProfileSaved(const std::string& file, const std::vector<KeyId>& secrets,
                      const std::vector<KeyId>& leftOut) override {
        Say(FormatText(Text(text::kProfileWritten), file.c_str()));
        if (!secrets.empty()) {
            Say(FormatText(Text(text::kSecretsLeftOut), KeyList(secrets).c_str()));
        }
        if (!leftOut.empty()) {
            Say(FormatText(Text(text::kValuesLeftOut), KeyList(leftOut).c_str()));
        }
    }

    void ProfileValid(const std::string& file, std::size_t count) override {
        Say(FormatText(Text(text::kProfileValid), file.c_str(), static_cast<int>(count)));
    }

    void Ports(const std::vector<PortInfo>& ports) override {
        for (const PortInfo& port : ports) {
            Say(PortLines(port, Words().codePage));
        }
        if (ports.empty()) {
            Say(Text(text::kNoPorts));
        }
        WarnIfProcessesUnseen(ports);
    }

    void BluetoothDevices(const std::vector<BluetoothDevice>& devices) override {
        for (const BluetoothDevice& d : devices) {
            Say(FormatText(Text(text::kBtDevice), d.address.c_str(), d.name.c_str(),
                           Text(d.paired ? text::kBtPairedYes : text::kBtPairedNo),
                           Text(d.serial ? text::kBtSerialYes : text::kBtSerialNo)));
        }
        if (devices.empty()) {
            Say(Text(text::kBtNoDevices));
        }
    }

    void BluetoothPaired(const std::string& address, bool paired) override {
        Say(FormatText(Text(paired ? text::kBtPaired : text::kBtUnpaired), address.c_str()));
    }

    void Detected(const std::vector<PortProbe>& probes, const Outcome&) override {
        for (const PortProbe& probe : probes) {
            const std::string line = ProbeText(probe, Words().codePage);
            if (!line.empty()) {
                Say(line);
            }
        }
        if (probes.empty()) {
            Say(Text(text::kNothingToProbe));
        }
    }

    void Failed(const Outcome& outcome) override {
        EndProgress();
        m_err << "tarvek-cli: " << OutcomeText(outcome, Words()) << "\n";
        const std::string advice = Advice(outcome);
        if (!advice.empty()) {
            m_err << "tarvek-cli: " << advice << "\n";
        }
        m_err << std::flush;
    }

    void Exchanged(const RawExchange& exchange) override {
        EndProgress();
        m_out << FormatText(Text(text::kSent), static_cast<int>(exchange.sent.size())) << "\n"
              << DumpLines(exchange.sent, std::string(12, ' '))
              << FormatText(Text(text::kReceived), static_cast<int>(exchange.ReceivedCount()),
                            static_cast<int>(exchange.received.size()))
              << "\n";
        for (const ReceivedPiece& piece : exchange.received) {
            m_out << PieceLines(piece.atMs, piece.bytes);
        }
        m_out << std::flush;
    }

    void Arrived(const ReceivedPiece& piece) override {
        m_out << PieceLines(piece.atMs, piece.bytes) << std::flush;
    }

    void StationWaiting(const std::string& port) override {
        Say(FormatText(Text(text::kWaiting), port.c_str()));
    }

    void UnitStarted(int unit, const std::string& address) override {
        Say(FormatText(Text(text::kUnitStart), unit, address.c_str()));
    }

    void UnitEnded(const AuditRecord& r) override {
        const char* address = r.address.c_str();
        const Outcome& outcome = r.report.outcome;
        Say(outcome.Ok() ? FormatText(Text(text::kUnitDone), r.unit, address)
                         : FormatText(Text(text::kUnitFailed), r.unit, address,
                                      OutcomeText(outcome, Words()).c_str()));
    }

    void StationNext(bool rowsUsedUp) override {
        Say(Text(rowsUsedUp ? text::kUnitsUsedUp : text::kConnectNext));
    }

    void StationEnded(const StationTally& total, const Outcome&,
                      const std::vector<int>& undoneRows) override {
        if (!total.end.Ok()) {
            Say(OutcomeText(total.end, Words()));
        }
        Say(TallyText(total.done, total.failed, Words()));
        if (!undoneRows.empty()) {
            std::string lines;
            for (int line : undoneRows) {
                lines += (lines.empty() ? "" : ", ") + std::to_string(line);
            }
            Say(FormatText(Text(text::kRowsUndone), lines.c_str()));
        }
    }

  private:
    void Say(const std::string& sentence) {
        EndProgress();
        m_out << sentence << "\n" << std::flush;
    }

    void SayUnverifiable(const std::vector<KeyId>& keys) {
        if (!keys.empty()) {
            Say(FormatText(Text(text::kUnverifiable), KeyList(keys).c_str()));
        }
    }

    std::unique_ptr<Output> SameForm(std::ostream& out, std::ostream& err) const override {
        return std::make_unique<TextOutput>(out, err, Words(), Terminals{});
    }

    void EndProgress() override {
        if (m_bProgressShown) {
            m_err << "\n" << std::flush;
            m_bProgressShown = false;
        }
    }

    bool m_bProgress;
    bool m_bLiveLines;
    bool m_bProgressShown = false;
};

}  // namespace

std::unique_ptr<Output> MakeTextOutput(std::ostream& out, std::ostream& err, Wording wording,
                                       Terminals terminals) {
    return std::make_unique<TextOutput>(out, err, wording, terminals);
}

}  // namespace tarvek::cli
