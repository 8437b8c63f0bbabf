// The Wi-Fi dialog on a recording host over the simulated printer's Wi-Fi module.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "ui/recording_host.h"
#include "unit/maindlg/simulated_printer.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::testing {

struct WifiDialog : SimulatedPrinter {
    explicit WifiDialog(int codePage = 1252) : host(codePage) { host.Start(dlg); }

    // The module's register index (0..9) holds these data bytes, in its working copy.
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
    std::string Selected(int id) const { return SelectedText(host, id); }
    std::string Message() const { return OneMessage(host); }

    ui::RecordingHost host;
    CWifiSetDlg dlg{services.wifi};
};

}  // namespace tarvek::testing
