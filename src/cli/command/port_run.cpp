#include "cli/command/port_run.h"

#include "cli/command/bluetooth_verbs.h"
#include "cli/session/link_tap.h"
#include "link/bluetooth/bluetooth.h"
#include "link/port_kind.h"
#include "texts/port_texts.h"

namespace tarvek::cli {

bool OpenTrace(Invocation& invocation, std::ofstream& file, std::unique_ptr<TraceRecorder>& trace,
               int& exit) {
    const GlobalOptions& g = invocation.global;
    if (g.trace.empty()) {
        return true;
    }
    file.open(g.trace, std::ios::trunc);
    if (!file) {
        exit = Fail(invocation.output, FileUnwritable(g.trace));
        return false;
    }
    trace = std::make_unique<TraceRecorder>(file, invocation.platform.clock, g.showSecrets);
    return true;
}

std::unique_ptr<SerialPrinterLink> OwnLinkFor(Platform& platform, Output& output,
                                              const PortRequest& port, int& exit) {
    exit = kExitDone;
    if (port.link == LinkKind::Bluetooth) {
        return BluetoothPortLink(platform, output, port, exit);
    }
    if (port.link == LinkKind::Network && platform.networkLink) {
        return platform.networkLink();
    }
    return nullptr;
}

int RunOnPort(Platform& platform, Output& output, SerialPrinterLink& serial, TraceRecorder* trace,
              const PortRequest& port, const std::function<int(VerbContext&)>& run) {
    LinkTap tap(platform.interrupted, trace);
    TappedSerialLink tappedSerial(serial, tap, platform.clock);
    TappedUsbLink usb(platform.usb, tap, platform.clock);
    TransportKind kind = port.kind;
    Services services{
        ChannelSet{tappedSerial, usb, kind},
        platform.clock,
        platform.conflictCheck,
        platform.interrupted,
        trace,
        [&output](Step step, int done, int total) { output.Progress(step, done, total); },
        [&output] { output.Warn(texts::kPrinterListUnreadable.text.english); },
        platform.networkLink};
    VerbContext context{services, output, port, platform.env};
    return run(context);
}

}  // namespace tarvek::cli
