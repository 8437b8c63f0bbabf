// The main dialog on the recording host, with fake links, a scripted port conflict check and
// the virtual clock; helpers that read back whole control-state columns.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "support/fake_link.h"
#include "support/virtual_clock.h"
#include "ui/recording_host.h"

namespace tarvek::testing {

// A conflict check that reports the holder it is given for one port text.
class ScriptedConflictCheck : public PortConflictCheck {
  public:
    std::string heldPort;  // "" = no printer holds any port
    PortHolder holder;
    std::vector<std::string> checked;

    bool Check(const std::string& portText, PortConflictVariant, PortHolder& out,
               ui::DialogHost&) override {
        checked.push_back(portText);
        out = PortHolder{};
        if (heldPort.empty() || portText != heldPort) {
            return false;
        }
        out = holder;
        return true;
    }
};

// Enabled state of every control the state table names.
using EnabledMap = std::map<int, bool>;

class MainDialogTest : public ::testing::Test {
  protected:
    explicit MainDialogTest(int codePage = 1252) : host(codePage) {}

    void Start() {
        host.SetResourceString(IDS_ABOUTBOX, "&About Tarvek...");
        host.Start(dlg);
    }

    EnabledMap Enabled() const {
        EnabledMap map;
        for (const StateRow& row : MainDialogStateTable()) {
            map[row.controlId] = host.Control(row.controlId).enabled;
        }
        return map;
    }

    // The enabled map a column gives, starting from before (what the handlers must produce).
    EnabledMap Expected(const EnabledMap& before, StateColumn column, int emulation,
                        bool usb) const {
        EnabledMap map = before;
        for (const StateRow& row : MainDialogStateTable()) {
            const int effect = CellEffect(row.cells[static_cast<int>(column)], emulation, usb);
            if (effect >= 0) {
                map[row.controlId] = effect == 1;
            }
        }
        return map;
    }

    VirtualClock clock;
    FakeSerialLink serial{clock};
    FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    FakeSerialLink wifiSerial{clock};
    FakeUsbLink wifiUsb{clock};
    TransportKind wifiKind = TransportKind::None;
    ScriptedConflictCheck conflict;
    DialogServices services{{serial, usb, kind}, {wifiSerial, wifiUsb, wifiKind}, clock, conflict};
    ui::RecordingHost host;
    CTarvekDlg dlg{services};
};

}  // namespace tarvek::testing
