// The main dialog against the simulated printer in process: whole sessions in both emulations
// over COM and USB, the printer's state afterwards, and the fault-injection loop.
#include <gtest/gtest.h>

#include <memory>

#include "sim/printer_model.h"
#include "sim/simulated_link.h"
#include "unit/maindlg/main_dialog_fixture.h"

namespace tarvek::testing {
namespace {

// One session: a printer, its two links, the dialog on a recording host.
struct SimSession {
    explicit SimSession(sim::PrinterState state = sim::DefaultPrinterState(),
                        sim::Faults faults = {})
        : model(std::move(state), faults) {
        host.Start(dlg);
    }

    sim::PrinterState& State() { return model.State(); }
    // Lets the printer finish a command that ends at a pause (the ESC/POS PIN).
    void Settle() {
        clock.Advance(100);
        model.Advance(clock.NowMs());
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ui::ShownMessage& m : host.Messages()) {
            texts.push_back(m.text);
        }
        return texts;
    }

    VirtualClock clock;
    sim::PrinterModel model;
    sim::SimulatedSerialLink serial{model, clock, "COM1"};
    sim::SimulatedUsbLink usb{model, clock};
    TransportKind kind = TransportKind::Serial;
    FakeSerialLink wifiSerial{clock};
    FakeUsbLink wifiUsb{clock};
    TransportKind wifiKind = TransportKind::None;
    ScriptedConflictCheck conflict;
    DialogServices services{{serial, usb, kind}, {wifiSerial, wifiUsb, wifiKind}, clock, conflict};
    ui::RecordingHost host;
    CTarvekDlg dlg{services};
};

sim::PrinterState PrinterAt19200(int emulation) {
    sim::PrinterState state = sim::DefaultPrinterState();
    state.emulation = emulation;
    state.serial.baudRate = 19200;
    return state;
}

TEST(MainDialogWithPrinter, CpclSessionOnCom1) {
    SimSession s(PrinterAt19200(kEmulationCpcl));
    s.State().discoverable = true;
    s.host.Click(IDC_OPEN_PORT);
    ASSERT_TRUE(s.host.Messages().empty()) << s.MessageTexts()[0];
    EXPECT_EQ(s.dlg.m_nEmulation, kEmulationCpcl);
    EXPECT_TRUE(s.host.Control(IDC_CLOSE_PORT).enabled);
    EXPECT_FALSE(s.host.Control(IDC_CODE_PAGE).enabled);

    s.host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(s.host.Control(IDC_BT_ADDRESS).text, "00:19:01:2A:3B:4C");
    EXPECT_TRUE(s.host.Control(IDC_DISCOVERABLE_ON).checked);

    s.host.TypeInto(IDC_PIN_CODE, "4321");
    s.host.Click(IDC_SAVE_PIN);
    EXPECT_EQ(s.State().bluetoothPin, "4321");
    s.host.Click(IDC_DISCOVERABLE_OFF);
    s.host.Click(IDC_SAVE_DISCOVERABLE);
    EXPECT_FALSE(s.State().discoverable);

    // The printer's own line: 38400, EVEN, 2 stop bits.
    s.host.SelectByUser(IDC_BAUDRATE, 2);
    s.host.SelectByUser(IDC_PARITY, 2);
    s.host.SelectByUser(IDC_STOPBITS, 1);
    s.host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(s.State().serial.baudRate, 38400);
    EXPECT_EQ(s.State().serial.parityIndex, kParityEven);
    EXPECT_EQ(s.State().serial.stopBitsIndex, kStopBits2);
    EXPECT_FALSE(s.serial.IsOpen());
    EXPECT_TRUE(s.host.Messages().empty());

    // The next Open Port uses the settings just sent, so the printer answers.
    s.host.Click(IDC_OPEN_PORT);
    EXPECT_TRUE(s.host.Messages().empty());
    s.host.Click(IDC_SET_ESCPOS);
    EXPECT_EQ(s.State().emulation, kEmulationEscPos);
    EXPECT_EQ(s.host.Control(IDC_EMULATION).text, "ESC/POS");
}

TEST(MainDialogWithPrinter, EscPosSessionOnCom1) {
    SimSession s(PrinterAt19200(kEmulationEscPos));
    s.host.Click(IDC_OPEN_PORT);
    ASSERT_TRUE(s.host.Messages().empty());
    EXPECT_TRUE(s.host.Control(IDC_CODE_PAGE).enabled);

    s.host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(s.host.Control(IDC_BT_ADDRESS).text, "00:19:01:2A:3B:4C");
    s.host.TypeInto(IDC_PIN_CODE, "2468");
    s.host.Click(IDC_SAVE_PIN);
    s.Settle();
    EXPECT_EQ(s.State().bluetoothPin, "2468");

    s.host.SelectByUser(IDC_CODE_PAGE, 2);
    s.host.Click(IDC_SAVE_CODE_PAGE);
    EXPECT_EQ(s.State().codePage, 2);
    s.host.Click(IDC_PRINT_CODE_PAGE);
    s.Settle();
    ASSERT_EQ(s.State().pages.size(), 1u);
    EXPECT_EQ(s.State().pages[0].codePage, 2);

    s.host.SelectByUser(IDC_POWER_SAVE, 2);
    s.host.TypeInto(IDC_POWER_MINUTES, "30");
    s.host.Click(IDC_SAVE_POWER_SAVE);
    EXPECT_EQ(s.State().powerSaveMode, 2);
    EXPECT_EQ(s.State().powerSaveMinutes, 30);
    EXPECT_FALSE(s.serial.IsOpen());
    EXPECT_TRUE(s.host.Control(IDC_OPEN_PORT).enabled);

    // 115200 / ODD / 7 / 2 / Xon/Xoff in ESC/POS.
    s.host.Click(IDC_OPEN_PORT);
    s.host.SelectByUser(IDC_BAUDRATE, 0);
    s.host.SelectByUser(IDC_PARITY, 1);
    s.host.SelectByUser(IDC_DATABITS, 0);
    s.host.SelectByUser(IDC_STOPBITS, 1);
    s.host.SelectByUser(IDC_FLOW, 1);
    s.host.Click(IDC_SAVE_SERIAL);
    EXPECT_EQ(s.State().serial.baudRate, 115200);
    EXPECT_EQ(s.State().serial.parityIndex, kParityOdd);
    EXPECT_EQ(s.State().serial.dataBitsIndex, kDataBits7);
    EXPECT_EQ(s.State().serial.stopBitsIndex, kStopBits2);
    EXPECT_EQ(s.State().serial.flowIndex, kFlowXonXoff);
    EXPECT_TRUE(s.host.Messages().empty());
}

TEST(MainDialogWithPrinter, WrongLineGetsNoResponse) {
    SimSession s(sim::DefaultPrinterState());  // 9600; the dialog starts at 19200
    s.host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(s.MessageTexts(), std::vector<std::string>{"No Response in printer"});
    EXPECT_FALSE(s.host.Control(IDC_CLOSE_PORT).enabled);
    s.host.SelectByUser(IDC_BAUDRATE, 4);
    s.host.Click(IDC_OPEN_PORT);
    EXPECT_EQ(s.host.Messages().size(), 1u);
    EXPECT_TRUE(s.host.Control(IDC_CLOSE_PORT).enabled);
}

TEST(MainDialogWithPrinter, SessionsOverUsbInBothEmulations) {
    for (int emulation : {kEmulationCpcl, kEmulationEscPos}) {
        SimSession s(PrinterAt19200(emulation));
        s.State().discoverable = false;
        s.host.SelectByUser(IDC_PORT, 9);
        s.host.Click(IDC_OPEN_PORT);
        ASSERT_TRUE(s.host.Messages().empty());
        EXPECT_EQ(s.kind, TransportKind::Usb);
        s.host.Click(IDC_GET_BLUETOOTH);
        EXPECT_EQ(s.host.Control(IDC_BT_ADDRESS).text, "00:19:01:2A:3B:4C");
        EXPECT_TRUE(s.host.Control(IDC_DISCOVERABLE_OFF).checked);
        s.host.Click(IDC_DISCOVERABLE_ON);
        s.host.Click(IDC_SAVE_DISCOVERABLE);
        EXPECT_TRUE(s.State().discoverable);
        s.host.Click(IDC_SET_CPCL);
        EXPECT_EQ(s.State().emulation, kEmulationCpcl);
        EXPECT_FALSE(s.usb.IsOpen());
        EXPECT_TRUE(s.host.Messages().empty());
    }
}

// The printer dies after host byte N of an Open Port + Get Bluetooth Information exchange:
// each time the dialog says so, and once the printer is back, Close Port and a new Open Port
// work.
TEST(MainDialogWithPrinter, PrinterStoppingAtEveryByte) {
    long long total = 0;
    {
        SimSession healthy(PrinterAt19200(kEmulationEscPos));
        healthy.host.Click(IDC_OPEN_PORT);
        healthy.host.Click(IDC_GET_BLUETOOTH);
        ASSERT_TRUE(healthy.host.Messages().empty());
        total = healthy.model.HostByteCount();
    }
    ASSERT_GT(total, 10);
    RecordProperty("hostBytes", static_cast<int>(total));
    for (long long n = 0; n < total; ++n) {
        sim::Faults faults;
        faults.stopAfterHostByte = n;
        SimSession s(PrinterAt19200(kEmulationEscPos), faults);
        s.host.Click(IDC_OPEN_PORT);
        if (s.host.Control(IDC_CLOSE_PORT).enabled) {
            s.host.Click(IDC_GET_BLUETOOTH);
        }
        ASSERT_EQ(s.host.Messages().size(), 1u) << "byte " << n;
        EXPECT_EQ(s.host.Messages()[0].text, "No Response in printer") << "byte " << n;

        s.model.FaultSettings().stopAfterHostByte = -1;
        s.Settle();
        if (s.host.Control(IDC_CLOSE_PORT).enabled) {
            s.host.Click(IDC_CLOSE_PORT);
            EXPECT_FALSE(s.serial.IsOpen());
        }
        s.host.ClearMessages();
        s.host.Click(IDC_OPEN_PORT);
        s.host.Click(IDC_GET_BLUETOOTH);
        EXPECT_TRUE(s.host.Messages().empty()) << "byte " << n;
        EXPECT_EQ(s.host.Control(IDC_BT_ADDRESS).text, "00:19:01:2A:3B:4C") << "byte " << n;
    }
}

}  // namespace
}  // namespace tarvek::testing
