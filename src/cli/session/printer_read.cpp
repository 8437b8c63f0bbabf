#include "cli/session/printer_read.h"

#include "link/bluetooth.h"

namespace tarvek::cli {

void AddLineValues(const PortRequest& request, Settings& values) {
    // A Bluetooth printer's serial line is not the channel in use.
    if (request.kind != TransportKind::Serial || IsBluetoothPortName(request.portName)) {
        return;
    }
    for (int f = 0; f < kLineFieldCount; ++f) {
        const KeyId key = LineKey(static_cast<LineField>(f));
        if (Spec(key).reported == Reported::Line) {
            values[key].number = request.line.*kLineFields[f].member;
        }
    }
}

bool ReadPrinter(Connection& connection, bool wifi, PrinterReport& report, Outcome& outcome) {
    if (!connection.OpenPrinter(Step::Open, outcome)) {
        return false;
    }
    report.values[KeyId::Emulation].number = connection.Emulation();
    if (!connection.OpenPrinter(Step::Discoverable, outcome)) {
        return false;
    }
    const BluetoothResult bluetooth = connection.Printer().ReadBluetooth();
    if (!connection.Took(bluetooth, Step::Discoverable, outcome)) {
        return false;
    }
    report.bluetoothAddress = bluetooth.address;
    report.values[KeyId::BluetoothDiscoverable].number = bluetooth.discoverable;
    AddLineValues(connection.Request(), report.values);
    if (!wifi) {
        return true;
    }
    ModuleSettings read;
    if (!connection.ReadModule(read, outcome)) {
        return false;
    }
    const Settings values = WifiValues(read);
    report.values.insert(values.begin(), values.end());
    report.wifi = true;
    report.moduleKind = read.kind;
    report.mac = read.mac;
    return true;
}

}  // namespace tarvek::cli
