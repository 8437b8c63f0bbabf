#include "cli/output/label_rows.h"

namespace tarvek::cli {
namespace {

constexpr const char* kNotReported = "not reported";

struct KeyRow {
    const char* caption;
    KeyId key;
};

constexpr KeyRow kPrinterRows[] = {
    {"Emulation", KeyId::Emulation},
    {"Code page", KeyId::CodePage},
    {"Power save", KeyId::PowerSave},
};
constexpr KeyId kLineKeys[] = {KeyId::SerialBaud, KeyId::SerialParity, KeyId::SerialDataBits,
                               KeyId::SerialStopBits, KeyId::SerialFlow};
constexpr KeyRow kWifiRows[] = {
    {"SSID", KeyId::WifiSsid},       {"Mode", KeyId::WifiMode},
    {"Channel", KeyId::WifiChannel}, {"Security", KeyId::WifiEncryption},
    {"IP address", KeyId::WifiIp},   {"Netmask", KeyId::WifiNetmask},
    {"Gateway", KeyId::WifiGateway}, {"DNS", KeyId::WifiDns},
};

// The value as "show" words it; "" when the printer did not report it.
std::string ValueOf(const PrinterReport& report, KeyId key) {
    const auto it = report.values.find(key);
    return it == report.values.end() || Spec(key).secret ? "" : FormatValue(Spec(key), it->second);
}

std::string OrNotReported(const std::string& value) {
    return value.empty() ? kNotReported : value;
}

}  // namespace

ConfigLabel LabelOf(const PrinterReport& report, const std::string& time) {
    ConfigLabel label;
    label.title = "Printer configuration";
    auto& lines = label.lines;
    lines.push_back({"Date", time});
    for (const KeyRow& row : kPrinterRows) {
        lines.push_back({row.caption, OrNotReported(ValueOf(report, row.key))});
    }
    std::string line;
    for (KeyId key : kLineKeys) {
        const std::string value = ValueOf(report, key);
        line += (line.empty() || value.empty() ? "" : " ") + value;
    }
    lines.push_back({"Serial line", OrNotReported(line)});
    lines.push_back({"Bluetooth", OrNotReported(report.bluetoothAddress)});
    lines.push_back({"Discoverable", OrNotReported(ValueOf(report, KeyId::BluetoothDiscoverable))});
    // The printer has no query for its PIN: whether one is set is not known here.
    lines.push_back({"PIN set", kNotReported});
    if (!report.wifi) {
        lines.push_back({"Wi-Fi", "no module answered"});
    } else {
        lines.push_back({"Wi-Fi MAC", report.mac});
        const std::string wpa = ValueOf(report, KeyId::WifiWpaAuth);
        for (const KeyRow& row : kWifiRows) {
            std::string value = ValueOf(report, row.key);
            if (row.key == KeyId::WifiEncryption && !wpa.empty() && wpa != "none") {
                value += " (" + wpa + ")";
            }
            lines.push_back({row.caption, OrNotReported(value)});
        }
        lines.push_back({"Module", report.moduleKind == WifiModuleKind::WpaCapable ? "WEP and WPA"
                                                                                   : "WEP only"});
    }
    label.qrText = report.bluetoothAddress;
    return label;
}

}  // namespace tarvek::cli
