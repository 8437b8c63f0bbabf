// The main dialog on a recording host over the simulated printer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "ui/recording_host.h"
#include "unit/maindlg/simulated_printer.h"

namespace tarvek::testing {

struct MainDialog : SimulatedPrinter {
    explicit MainDialog(int codePage = 1252) : host(codePage) {
        host.SetResourceString(IDS_ABOUTBOX, "&About Tarvek...");
        host.Start(dlg);
    }

    // Open Port on this Port list entry with the printer in this emulation.
    void Open(int emulation = kEmulationEscPos, int port = 0) {
        model.State().emulation = emulation;
        host.SelectByUser(IDC_PORT, port);
        host.Click(IDC_OPEN_PORT);
    }
    std::string Selected(int id) const { return SelectedText(host, id); }
    std::string Message() const { return OneMessage(host); }

    ui::RecordingHost host;
    CTarvekDlg dlg{services};
};

}  // namespace tarvek::testing
