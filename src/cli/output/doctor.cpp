#include "cli/output/doctor.h"

#include "cli/output/bluetooth_texts.h"
#include "cli/output/finding_texts.h"
#include "link/port_kind.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

std::string HolderAdvice(const PortInfo& port, int cp) {
    const PortHolder& h = port.holder;
    switch (h.kind) {
        case HolderKind::WindowsPrinter:
            return FormatText(text::kDoctorPrinter.For(cp), h.printerName.c_str(),
                              port.name.c_str());
        case HolderKind::CupsQueue:
            return FormatText(text::kDoctorQueue.For(cp), h.printerName.c_str(),
                              h.printerName.c_str());
        case HolderKind::Process:
            return FormatText(text::kDoctorProcess.For(cp), h.printerName.c_str(), h.processId);
    }
    return "";
}

// The port a failed open named, as the machine describes it.
bool Describe(const PortRef& failed, const PortFinder& finder, PortInfo& port) {
    if (!finder.list) {
        return false;
    }
    if (failed.link != LinkKind::Usb) {
        const std::vector<PortInfo> ports = finder.list({failed.name});
        port = ports.empty() ? PortInfo{} : ports.front();
        return !ports.empty();
    }
    for (const PortInfo& found : finder.list({})) {
        if (found.kind == PortKind::UsbPrinter && found.name == failed.name) {
            port = found;
            return true;
        }
    }
    port.name = failed.name;
    port.kind = PortKind::Missing;
    port.transport = TransportKind::Usb;
    return true;
}

std::string BluetoothAdvice(const failure::Bluetooth& bt, int cp) {
    switch (bt.result) {
        case BluetoothStatus::NoService:
        case BluetoothStatus::NoAdapter:
            return text::kDoctorBtService.For(cp);
        case BluetoothStatus::NotFound:
        case BluetoothStatus::NotPaired:
            return FormatText(text::kDoctorBtPair.For(cp), bt.address.c_str());
        case BluetoothStatus::Refused:
            return FormatText(text::kDoctorBtPin.For(cp), bt.pinVariable.c_str());
        default:
            return "";
    }
}

}  // namespace

std::string PortAdvice(const PortInfo& port, bool openFailed, int cp) {
    if (port.held == PortCheck::Held) {
        return HolderAdvice(port, cp);
    }
    if (port.kind == PortKind::Missing) {
        return port.transport == TransportKind::Usb
                   ? text::kDoctorNoUsb.For(cp)
                   : FormatText(text::kDoctorMissing.For(cp), port.name.c_str());
    }
    if (port.access == PortAccess::Denied && !port.inAccessGroup) {
        return port.kind == PortKind::UsbPrinter
                   ? text::kDoctorUsbGroup.For(cp)
                   : FormatText(text::kDoctorGroup.For(cp), port.name.c_str(),
                                port.accessGroup.c_str(), port.accessGroup.c_str());
    }
    if (!openFailed) {
        return "";
    }
    return port.kind == PortKind::BluetoothSerial
               ? FormatText(text::kDoctorBluetooth.For(cp), port.name.c_str())
               : text::kDoctorPorts.For(cp);
}

std::string DoctorAdvice(const Outcome& outcome, const PortFinder& finder, int cp) {
    if (const failure::PortHeld* held = outcome.As<failure::PortHeld>()) {
        PortInfo port;
        port.name = held->port;
        port.held = PortCheck::Held;
        port.holder = held->holder;
        return HolderAdvice(port, cp);
    }
    if (const failure::Bluetooth* bt = outcome.As<failure::Bluetooth>()) {
        return BluetoothAdvice(*bt, cp);
    }
    if (const failure::ModuleOpen* module = outcome.As<failure::ModuleOpen>()) {
        return module->failure == ModuleOpen::OpenFailed ? text::kDoctorPorts.For(cp) : "";
    }
    const failure::Printer* printer = outcome.As<failure::Printer>();
    // A network address has no local port, driver or line to advise on.
    if (printer == nullptr || printer->port.link == LinkKind::Network) {
        return "";
    }
    const PortRef& failed = printer->port;
    if (printer->failure == PrinterFailure::OpenFailed) {
        PortInfo port;
        return Describe(failed, finder, port) ? PortAdvice(port, true, cp)
                                              : text::kDoctorPorts.For(cp);
    }
    return failed.link == LinkKind::Usb
               ? text::kDoctorNoAnswerUsb.For(cp)
               : FormatText(text::kDoctorNoAnswer.For(cp), failed.name.c_str());
}

}  // namespace tarvek::cli
