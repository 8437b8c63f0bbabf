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

// A printer behind a fake link: answers the emulation and Bluetooth queries as told.
struct ScriptedPrinter {
    Bytes emulationAnswer{0x01};  // empty = no answer
    std::string address = "\"00:19:01:2A:3B:4C\"";
    std::string discoverable = "\"on\"";
    bool bluetoothSilent = false;

    void Attach(FakeLinkCore& core) {
        core.onWrite = [this, &core](const Bytes& bytes) {
            if (bytes == BuildEmulationQuery()) {
                core.Deliver(emulationAnswer);
                return;
            }
            if (bluetoothSilent) {
                return;
            }
            for (int emulation : {kEmulationCpcl, kEmulationEscPos}) {
                if (bytes == BuildBluetoothAddressQuery(emulation)) {
                    core.Deliver(Bytes(address.begin(), address.end()));
                } else if (bytes == BuildDiscoverableQuery(emulation)) {
                    core.Deliver(Bytes(discoverable.begin(), discoverable.end()));
                }
            }
        };
    }
};

// Enabled state of every control the state table names.
using EnabledMap = std::map<int, bool>;

// The dialog's services on fake links with a scripted printer behind both.
struct FakeDialogServices {
    FakeDialogServices() {
        printer.Attach(serial);
        printer.Attach(usb);
    }
    FakeDialogServices(const FakeDialogServices&) = delete;
    FakeDialogServices& operator=(const FakeDialogServices&) = delete;

    VirtualClock clock;
    FakeSerialLink serial{clock};
    FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    FakeSerialLink wifiSerial{clock};
    FakeUsbLink wifiUsb{clock};
    TransportKind wifiKind = TransportKind::None;
    ScriptedConflictCheck conflict;
    DialogServices services{{serial, usb, kind}, {wifiSerial, wifiUsb, wifiKind}, clock, conflict};
    ScriptedPrinter printer;
};

class MainDialogTest : public ::testing::Test, protected FakeDialogServices {
  protected:
    explicit MainDialogTest(int codePage = 1252) : host(codePage) {}

    void Start() {
        host.SetResourceString(IDS_ABOUTBOX, "&About Tarvek...");
        host.Start(dlg);
    }

    // Opens the port at this Port list position with a printer in this emulation.
    void OpenPort(int emulation, int portIndex = 0) {
        printer.emulationAnswer =
            Bytes{static_cast<std::uint8_t>(emulation == kEmulationCpcl ? 0 : 1)};
        host.SelectByUser(IDC_PORT, portIndex);
        host.Click(IDC_OPEN_PORT);
    }
    // Forgets what was written and read so far.
    void ClearTraffic() {
        serial.ClearWrites();
        usb.ClearWrites();
        serial.ClearReadCounts();
        usb.ClearReadCounts();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ui::ShownMessage& m : host.Messages()) {
            texts.push_back(m.text + " | " + m.caption);
        }
        return texts;
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

    ui::RecordingHost host;
    CTarvekDlg dlg{services};
};

}  // namespace tarvek::testing
