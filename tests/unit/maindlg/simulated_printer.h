// The dialogs' services on a simulated printer with its Wi-Fi module, in process: both
// dialogs' serial and USB links on one virtual clock, and a port check a test can make report
// a holder or an unreadable printer list. And what a recording host shows.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "maindlg/main_dialog_services.h"
#include "sim/printer_model.h"
#include "sim/simulated_link.h"
#include "support/virtual_clock.h"
#include "ui/recording_host.h"

namespace tarvek::testing {

class ScriptedPortCheck : public PortConflictCheck {
  public:
    PortCheckResult answer;  // Free unless a test says otherwise
    std::vector<std::pair<std::string, PortConflictVariant>> asked;

    PortCheckResult Check(const std::string& port, PortConflictVariant variant) override {
        asked.emplace_back(port, variant);
        return answer;
    }
};

// The printer's line matches the dialogs' first choices (19200 baud, 8 bits, no parity, one
// stop bit); its serial links open only the one COM port that exists.
inline sim::PrinterState PrinterAt19200() {
    sim::PrinterState state = sim::DefaultPrinterState();
    state.serial.baudRate = 19200;
    return state;
}

struct SimulatedPrinter {
    explicit SimulatedPrinter(const std::string& comPort = "COM1")
        : serial(model, clock, comPort), wifiSerial(model, clock, comPort) {}

    VirtualClock clock;
    sim::PrinterModel model{PrinterAt19200()};
    sim::SimulatedSerialLink serial;
    sim::SimulatedSerialLink wifiSerial;
    sim::SimulatedUsbLink usb{model, clock};
    sim::SimulatedUsbLink wifiUsb{model, clock};
    TransportKind kind = TransportKind::Serial;
    TransportKind wifiKind = TransportKind::Serial;
    ScriptedPortCheck portCheck;
    MainDialogServices services{{{serial, usb, kind}, clock, portCheck},
                                {{wifiSerial, wifiUsb, wifiKind}, clock, portCheck},
                                nullptr};
};

// The selected item's text of a list.
inline std::string SelectedText(const ui::DialogHost& host, int id) {
    return host.GetListItemText(id, host.GetListSelection(id));
}

// The enabled state of every control of the program's dialogs (IDs 1 to 1199).
inline std::vector<bool> EnabledStates(const ui::RecordingHost& host) {
    std::vector<bool> enabled;
    for (int id = 1; id < 1200; ++id) {
        enabled.push_back(host.Control(id).enabled);
    }
    return enabled;
}

// The one message box shown so far as "text | caption", or how many there were.
inline std::string OneMessage(const ui::RecordingHost& host) {
    if (host.Messages().size() != 1) {
        return std::to_string(host.Messages().size()) + " messages";
    }
    return host.Messages()[0].text + " | " + host.Messages()[0].caption;
}

}  // namespace tarvek::testing
