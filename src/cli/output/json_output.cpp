// The JSON form: one document per verb on stdout, one line per printer and a summary in the
// station loop. A failure is a document too, with its advice.
#include "cli/output/byte_dump.h"
#include "cli/output/doctor.h"
#include "cli/output/json_values.h"
#include "cli/output/output_forms.h"
#include "cli/output/port_sentences.h"
#include "cli/settings/port_request.h"
#include "wifimodule/module_settings.h"

namespace tarvek::cli {
namespace {

// JSON names, in the order of PortKind, HolderKind, PortAccess and DetectionOutcome.
constexpr const char* kKindNames[] = {"serial-cable", "usb-serial", "bluetooth",
                                      "usb-printer",  "other",      "missing"};
constexpr const char* kHolderKinds[] = {"windows-printer", "cups-queue", "process"};
constexpr const char* kAccessNames[] = {"allowed", "denied", "unknown"};
constexpr const char* kDetectionNames[] = {"found", "no-answer", "open-failed", "cancelled"};

Json PortJson(const PortInfo& p, int cp) {
    Json json;
    json["name"] = p.name;
    json["friendly_name"] = p.friendlyName;
    json["kind"] = kKindNames[static_cast<int>(p.kind)];
    json["aliases"] = p.aliases;
    if (p.vendorId != 0 || p.productId != 0) {
        json["vendor_id"] = Hex4(p.vendorId);
        json["product_id"] = Hex4(p.productId);
    }
    json["bluetooth_address"] = p.bluetoothAddress;
    json["serial_number"] = p.serialNumber;
    json["holder"] = nullptr;
    if (p.held == PortCheck::Held) {
        json["holder"] = {{"kind", kHolderKinds[static_cast<int>(p.holder.kind)]},
                          {"name", p.holder.printerName},
                          {"port", p.holder.portName},
                          {"process_id", p.holder.processId}};
    }
    json["all_processes_seen"] = p.allProcessesSeen;
    json["kernel_driver"] = p.kernelDriver;
    json["access"] = kAccessNames[static_cast<int>(p.access)];
    json["access_group"] = p.accessGroup;
    json["in_access_group"] = p.inAccessGroup;
    json["advice"] = PortAdvice(p, false, cp);
    return json;
}

Json LineJson(const SerialLineSettings& line) {
    Json json = Json::object();
    for (const auto& [name, value] : LineValues(line)) {
        json[name] = value;
    }
    return json;
}

Json ProbeJson(const PortProbe& probe, int cp) {
    Json json;
    json["port"] = probe.port.name;
    if (!probe.probed) {
        json["result"] = "skipped";
        json["holder"] =
            probe.port.held == PortCheck::Held ? HolderText(probe.port.holder, cp) : "";
        json["advice"] = PortAdvice(probe.port, false, cp);
        return json;
    }
    const LineDetection& d = probe.detection;
    json["result"] = kDetectionNames[static_cast<int>(d.outcome)];
    json["settings_tried"] = d.settingsTried;
    if (d.outcome == DetectionOutcome::Found) {
        json["line"] = LineJson(d.line);
        json["emulation"] = EmulationKeyValue(d.emulation);
    }
    return json;
}

class JsonOutput final : public Output {
  public:
    JsonOutput(std::ostream& out, std::ostream& err, Wording wording) : Output(out, err, wording) {}

    void Progress(Step, int, int) override {}
    bool LivePortLines() const override { return false; }
    bool TagsPortLines() const override { return false; }

    void Show(const std::string& port, const PrinterReport& report) override {
        Document(ReportJson(port, report));
    }

    void Reported(const std::string& port, const PrinterReport& report,
                  const LabelSent* label) override {
        Json json = ReportJson(port, report);
        json["label"] = nullptr;
        if (label != nullptr) {
            json["label"] = {{"emulation", EmulationKeyValue(label->emulation)},
                             {"bytes", label->bytes}};
        }
        Document(json);
    }

    void Arrived(const ReceivedPiece& piece) override {
        Document({{"ms", piece.atMs},
                  {"hex", HexText(piece.bytes)},
                  {"text", PrintableText(piece.bytes)}});
    }

    void Keys() override {
        Json list = Json::array();
        for (int i = 0; i < kKeyCount; ++i) {
            const KeySpec& spec = Spec(static_cast<KeyId>(i));
            list.push_back({{"key", spec.name},
                            {"group", GroupName(spec.group)},
                            {"allowed", AllowedValues(spec, Words().codePage)},
                            {"secret", spec.secret},
                            {"read_back", spec.reported != Reported::Never}});
        }
        Document({{"keys", list}});
    }

    void Applied(const ApplyReport& report, std::size_t written) override {
        Json json = OutcomeJson(report.outcome, Words());
        json["written"] = written;
        json["unverifiable"] = KeysJson(report.unverifiable);
        if (report.network.result != Joined::NotAsked) {
            json["network"] = NetworkRecord(report.network);
        }
        Document(json);
    }

    void Diff(const Outcome& comparison, const std::vector<KeyId>& unverifiable) override {
        Json json = OutcomeJson(comparison, Words());
        json["matches"] = comparison.Ok();
        json["unverifiable"] = KeysJson(unverifiable);
        Document(json);
    }

    void ProfileSaved(const std::string& file, const std::vector<KeyId>& secrets,
                      const std::vector<KeyId>& leftOut) override {
        Json json = Done();
        json["file"] = file;
        json["secrets_left_out"] = KeysJson(secrets);
        json["left_out"] = KeysJson(leftOut);
        Document(json);
    }

    void ProfileValid(const std::string&, std::size_t count) override {
        Json json = Done();
        json["settings"] = count;
        Document(json);
    }

    void Ports(const std::vector<PortInfo>& ports) override {
        Json json = Done();
        json["ports"] = Json::array();
        for (const PortInfo& port : ports) {
            json["ports"].push_back(PortJson(port, Words().codePage));
        }
        Document(json);
        WarnIfProcessesUnseen(ports);
    }

    void BluetoothDevices(const std::vector<BluetoothDevice>& devices) override {
        Json json = Done();
        json["devices"] = Json::array();
        for (const BluetoothDevice& d : devices) {
            json["devices"].push_back({{"address", d.address},
                                       {"name", d.name},
                                       {"paired", d.paired},
                                       {"trusted", d.trusted},
                                       {"serial", d.serial}});
        }
        Document(json);
    }

    void BluetoothPaired(const std::string& address, bool paired) override {
        Json json = Done();
        json["address"] = address;
        json["paired"] = paired;
        Document(json);
    }

    void Detected(const std::vector<PortProbe>& probes, const Outcome& detection) override {
        Json list = Json::array();
        for (const PortProbe& probe : probes) {
            list.push_back(ProbeJson(probe, Words().codePage));
        }
        Json json = Done();
        json["ok"] = detection.Ok();
        json["exit"] = ExitCodeOf(detection);
        json["ports"] = list;
        Document(json);
    }

    void Failed(const Outcome& outcome) override {
        Json json = OutcomeJson(outcome, Words());
        const std::string advice = Advice(outcome);
        if (!advice.empty()) {
            json["doctor"] = advice;
        }
        Document(json);
    }

    void StationWaiting(const std::string&) override {}
    void UnitStarted(int, const std::string&) override {}
    void UnitEnded(const AuditRecord& record) override { Document(AuditJson(record, Words())); }
    void StationNext(bool) override {}
    void StationEnded(const StationTally& total, const Outcome& station,
                      const std::vector<int>& undoneRows) override {
        Json summary{{"done", total.done}, {"failed", total.failed}, {"exit", ExitCodeOf(station)}};
        summary["undone_lines"] = undoneRows;
        if (!total.end.Ok()) {
            summary["ended"] = OutcomeText(total.end, Words());
        }
        Document(summary);
    }

    void Exchanged(const RawExchange& exchange) override {
        Json json = Done();
        json["sent"] = HexText(exchange.sent);
        Json pieces = Json::array();
        Bytes answer;
        for (const ReceivedPiece& piece : exchange.received) {
            pieces.push_back({{"ms", piece.atMs}, {"hex", HexText(piece.bytes)}});
            answer.insert(answer.end(), piece.bytes.begin(), piece.bytes.end());
        }
        json["received"] = pieces;
        json["answer_hex"] = HexText(answer);
        json["answer_text"] = PrintableText(answer);
        Document(json);
    }

    Json Done() const { return OutcomeJson(Outcome{}, Words()); }

  private:
    std::unique_ptr<Output> SameForm(std::ostream& out, std::ostream& err) const override {
        return std::make_unique<JsonOutput>(out, err, Words());
    }

    Json ReportJson(const std::string& port, const PrinterReport& report) {
        Json json = Done();
        json["port"] = port;
        json["bluetooth.address"] = report.bluetoothAddress;
        Json settings = SettingsJson(report.values, Words());
        Json unknown = Json::array();
        for (int i = 0; i < kKeyCount; ++i) {
            const KeySpec& spec = Spec(static_cast<KeyId>(i));
            if (report.values.count(spec.id) == 0) {
                settings[spec.name] = nullptr;
                unknown.push_back(spec.name);
            }
        }
        json["settings"] = settings;
        json["unknown"] = unknown;
        if (report.wifi) {
            json["wifi.mac"] = report.mac;
            json["wifi.module"] = report.moduleKind == WifiModuleKind::WpaCapable ? "wpa" : "wep";
        }
        return json;
    }

    void Document(const Json& document) { m_out << JsonLine(document) << "\n" << std::flush; }
};

}  // namespace

std::unique_ptr<Output> MakeJsonOutput(std::ostream& out, std::ostream& err, Wording wording) {
    return std::make_unique<JsonOutput>(out, err, wording);
}

}  // namespace tarvek::cli
