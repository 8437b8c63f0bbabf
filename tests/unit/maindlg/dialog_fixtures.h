// The dialogs on recording hosts over a simulated printer with its Wi-Fi module, in process:
// both dialogs' links on one virtual clock, and a port check a test can make report a holder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "maindlg/main_dialog_services.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "sim/printer_model.h"
#include "sim/simulated_link.h"
#include "support/virtual_clock.h"
#include "support/recording_host.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::testing {

struct ScriptedPortCheck : PortConflictCheck {
    PortCheckResult answer;  // Free unless a test says otherwise
    std::vector<std::pair<std::string, PortConflictVariant>> asked;
    PortCheckResult Check(const std::string& port, PortConflictVariant variant) override {
        asked.emplace_back(port, variant);
        return answer;
    }
};

// The printer's line is the dialogs' first choice (19200 baud, 8 bits, no parity, one stop
// bit); the serial links open only the one COM port that exists.
struct SimulatedPrinter {
    explicit SimulatedPrinter(const std::string& comPort = "COM1")
        : serial(model, clock, comPort), wifiSerial(model, clock, comPort) {
        model.State().serial.baudRate = 19200;
    }
    VirtualClock clock;
    sim::PrinterModel model;
    sim::SimulatedSerialLink serial, wifiSerial;
    sim::SimulatedUsbLink usb{model, clock}, wifiUsb{model, clock};
    TransportKind kind = TransportKind::Serial, wifiKind = TransportKind::Serial;
    ScriptedPortCheck portCheck;
    MainDialogServices services{{{serial, usb, kind}, clock, portCheck},
                                {{wifiSerial, wifiUsb, wifiKind}, clock, portCheck},
                                nullptr};
};

// The enabled state of every control of the program's dialogs (IDs 1 to 1199).
inline std::vector<bool> EnabledStates(const ui::RecordingHost& host) {
    std::vector<bool> enabled;
    for (int id = 1; id < 1200; ++id) {
        enabled.push_back(host.Control(id).enabled);
    }
    return enabled;
}

// A dialog on a recording host: its selections and its one message box.
template <class Logic>
struct Dialog : SimulatedPrinter {
    explicit Dialog(int codePage = 1252, const std::string& comPort = "COM1")
        : SimulatedPrinter(comPort), host(codePage) {
        host.SetResourceString(IDS_ABOUTBOX, "&About Tarvek...");
        host.Start(dlg);
    }
    std::string Selected(int id) const {
        return host.GetListItemText(id, host.GetListSelection(id));
    }
    std::vector<std::string> Selected(std::initializer_list<int> ids) const {
        std::vector<std::string> texts;
        for (const int id : ids) {
            texts.push_back(Selected(id));
        }
        return texts;
    }
    // "text | caption" of the one message box shown, or how many there were.
    std::string Message() const {
        const auto& shown = host.Messages();
        return shown.size() == 1 ? shown[0].text + " | " + shown[0].caption
                                 : std::to_string(shown.size()) + " messages";
    }
    ui::RecordingHost host;
    Logic dlg{Services()};

  private:
    auto& Services() {
        if constexpr (std::is_same_v<Logic, CTarvekDlg>) {
            return services;
        } else {
            return services.wifi;
        }
    }
};

struct MainDialog : Dialog<CTarvekDlg> {
    using Dialog::Dialog;
    // Open Port on this Port list entry with the printer in this emulation.
    void Open(int emulation = kEmulationEscPos, int port = 0) {
        model.State().emulation = emulation;
        host.SelectByUser(IDC_PORT, port);
        host.Click(IDC_OPEN_PORT);
    }
};

struct WifiDialog : Dialog<CWifiSetDlg> {
    using Dialog::Dialog;
    // The module's register index 0..9 holds these data bytes.
    void SetRegister(int index, const Bytes& data) {
        model.State().working[static_cast<size_t>(index)] = sim::MakeRegisterImage(index, data);
    }
    void Open() { host.Click(IDC_WIFI_OPEN_PORT); }
    void OpenAndRead() {
        Open();
        host.Click(IDC_WIFI_GET);
        ASSERT_EQ(Message(), "Read Complete | OK");
        host.ClearMessages();
    }
};

}  // namespace tarvek::testing
