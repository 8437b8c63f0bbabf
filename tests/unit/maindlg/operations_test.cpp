// What each printer operation of the main dialog does on the simulated printer: the settings
// it takes from the controls reach the printer, and the printer's answers reach the controls.
#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

TEST(MainDialogOpenPort, FillsTheListsOfThePrintersEmulation) {
    MainDialog d;
    d.Open(kEmulationCpcl);
    d.host.Click(IDC_SET_CPCL);                            // shows "CPCL", closes the port
    d.portCheck.answer.state = PortCheck::ListUnreadable;  // reported; the port opens anyway
    d.Open(kEmulationEscPos);
    EXPECT_EQ(d.Message(), "EnumPrinters() failed | EnumPrinters() Error");
    EXPECT_EQ(d.portCheck.asked.at(1),
              std::make_pair(std::string("COM1"), PortConflictVariant::MainDialog));
    EXPECT_EQ(d.host.Control(IDC_POWER_SAVE).items,
              (std::vector<std::string>{"None Power Save", "Power Off Mode", "Power Save Mode"}));
    EXPECT_EQ(d.Selected(IDC_POWER_SAVE), "None Power Save");
    EXPECT_EQ(d.host.GetText(IDC_POWER_MINUTES), "?");
    EXPECT_EQ(d.host.GetListCount(IDC_CODE_PAGE), 24);
    EXPECT_EQ(d.Selected(IDC_CODE_PAGE), "CP_437");
    EXPECT_EQ(d.host.GetText(IDC_EMULATION), "CPCL");  // Open Port leaves the field

    MainDialog cpcl;
    cpcl.Open(kEmulationCpcl);
    EXPECT_EQ(cpcl.host.GetListCount(IDC_POWER_SAVE), 3);
    EXPECT_EQ(cpcl.host.GetListCount(IDC_CODE_PAGE), 0);
}

TEST(MainDialogSaveSerial, ThePrinterTakesTheChosenLineInItsLanguage) {
    // List positions chosen: baud rate, parity, data bits, stop bits, flow.
    const int chosen[] = {0, 1, 0, 1, 1};
    const int lists[] = {IDC_BAUDRATE, IDC_PARITY, IDC_DATABITS, IDC_STOPBITS, IDC_FLOW};
    // CPCL takes baud rate, parity and stop bits only; ESC/POS all five.
    const std::pair<int, std::vector<int>> cases[] = {{kEmulationCpcl, {115200, 1, 1, 1, 0}},
                                                      {kEmulationEscPos, {115200, 1, 0, 1, 1}}};
    for (const auto& [emulation, expected] : cases) {
        MainDialog d;
        d.Open(emulation);
        for (int i = 0; i < 5; ++i) {
            d.host.SelectByUser(lists[i], chosen[i]);
        }
        d.host.Click(IDC_SAVE_SERIAL);
        const SerialLineSettings& s = d.model.State().serial;
        EXPECT_EQ((std::vector<int>{s.baudRate, s.parityIndex, s.dataBitsIndex, s.stopBitsIndex,
                                    s.flowIndex}),
                  expected);
        EXPECT_FALSE(d.serial.IsOpen());
        EXPECT_EQ(d.Selected(IDC_BAUDRATE), "115200");
        EXPECT_EQ(d.Message(), "0 messages");
    }
}

TEST(MainDialogEmulation, GetShowsSetSwitchesAndClosesThePort) {
    MainDialog d;
    d.Open(kEmulationEscPos);
    d.model.State().emulation = kEmulationCpcl;
    d.host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(d.host.GetText(IDC_EMULATION), "CPCL");
    d.model.FaultSettings().garbage = true;  // no emulation code: shown in the field only
    d.host.Click(IDC_GET_EMULATION);
    EXPECT_EQ(d.host.GetText(IDC_EMULATION), "Unkonwn Emulation");
    EXPECT_EQ(d.Message(), "0 messages");
    d.host.Click(IDC_CLOSE_PORT);  // the emulation learned decides what Close Port enables
    EXPECT_FALSE(d.host.Control(IDC_DATABITS).enabled);
    d.model.FaultSettings().garbage = false;
    d.Open(kEmulationCpcl);
    d.host.Click(IDC_SET_ESCPOS);
    EXPECT_EQ(d.model.State().emulation, kEmulationEscPos);
    EXPECT_EQ(d.host.GetText(IDC_EMULATION), "ESC/POS");
    EXPECT_FALSE(d.serial.IsOpen());
    d.Open(kEmulationEscPos);
    d.host.Click(IDC_SET_CPCL);
    EXPECT_EQ(d.model.State().emulation, kEmulationCpcl);
    EXPECT_EQ(d.host.GetText(IDC_EMULATION), "CPCL");
}

TEST(MainDialogBluetooth, TheReadFillsAddressRadiosAndPin) {
    // CPCL answers in double quotes, which go; a quote inside the address stays.
    for (const auto& [emulation, address, on] :
         {std::make_tuple(kEmulationCpcl, "00:19:\"01", true),
          std::make_tuple(kEmulationEscPos, "00:19:01:2A:3B:4C", false)}) {
        MainDialog d;
        d.model.State().bluetoothAddress = address;
        d.model.State().discoverable = on;
        d.Open(emulation);
        d.host.Click(IDC_GET_BLUETOOTH);
        EXPECT_EQ(d.host.GetText(IDC_BT_ADDRESS), address);
        EXPECT_EQ(d.host.IsChecked(IDC_DISCOVERABLE_ON), on);
        EXPECT_EQ(d.host.IsChecked(IDC_DISCOVERABLE_OFF), !on);
        EXPECT_EQ(d.host.GetText(IDC_PIN_CODE), "?");
        EXPECT_FALSE(d.host.Control(IDC_SAVE_PIN).enabled);
        EXPECT_FALSE(d.host.Control(IDC_SAVE_DISCOVERABLE).enabled);
        EXPECT_EQ(d.Message(), "0 messages");
    }
    MainDialog silentAfterAddress;  // the address came: it stays shown
    silentAfterAddress.Open();
    sim::PrinterModel& model = silentAfterAddress.model;
    model.FaultSettings().silentAfterCommands = model.CommandCount() + 2;
    silentAfterAddress.host.Click(IDC_GET_BLUETOOTH);
    EXPECT_EQ(silentAfterAddress.host.GetText(IDC_BT_ADDRESS), "00:19:01:2A:3B:4C");
    EXPECT_EQ(silentAfterAddress.Message(), "No Response in printer | Error");
}

TEST(MainDialogBluetooth, PinAndDiscoverableAreSavedAsEdited) {
    MainDialog d;
    d.Open(kEmulationCpcl);
    d.host.Click(IDC_GET_BLUETOOTH);
    d.host.TypeInto(IDC_PIN_CODE, "");
    EXPECT_FALSE(d.host.Control(IDC_SAVE_PIN).enabled);
    d.host.TypeInto(IDC_PIN_CODE, "98765432109");  // the edit takes ten characters
    d.host.Click(IDC_SAVE_PIN);
    EXPECT_EQ(d.model.State().bluetoothPin, "9876543210");
    EXPECT_FALSE(d.host.Control(IDC_SAVE_PIN).enabled);

    d.host.Click(IDC_DISCOVERABLE_ON);  // already ON: nothing to save
    EXPECT_FALSE(d.host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    for (const bool on : {false, true}) {
        d.host.Click(on ? IDC_DISCOVERABLE_ON : IDC_DISCOVERABLE_OFF);
        EXPECT_EQ(d.host.IsChecked(IDC_DISCOVERABLE_ON), on);
        EXPECT_TRUE(d.host.Control(IDC_SAVE_DISCOVERABLE).enabled);
        d.host.Click(IDC_SAVE_DISCOVERABLE);
        EXPECT_EQ(d.model.State().discoverable, on);
        EXPECT_FALSE(d.host.Control(IDC_SAVE_DISCOVERABLE).enabled);
    }
    EXPECT_EQ(d.Message(), "0 messages");
}

TEST(MainDialogPowerSave, SentConfirmedAndThePortClosedHoweverTheBoxEnds) {
    struct Case {
        std::vector<int> modes;  // chosen in this order, the minutes typed after the first
        std::string minutes;
        int mode, sentMinutes;
        std::string sentence;
        int boxResult;
    };
    const Case cases[] = {
        {{2}, "30", 2, 30, "The printer goes into power save mode after 30 minute.", ui::kIdOk},
        {{1}, "5x", 1, 5, "The printer power will be off after 5 minute.", ui::kIdCancel},
        // The minutes field goes off with "None Power Save" but keeps its text, which is sent.
        {{1, 0}, "7", 0, 7, "Printer does not support the power save mode.", ui::kIdOk},
    };
    for (const Case& c : cases) {
        MainDialog d;
        d.Open();
        for (size_t i = 0; i < c.modes.size(); ++i) {
            d.host.SelectByUser(IDC_POWER_SAVE, c.modes[i]);
            EXPECT_EQ(d.host.Control(IDC_POWER_MINUTES).enabled, c.modes[i] != 0);
            if (i == 0) {
                d.host.TypeInto(IDC_POWER_MINUTES, c.minutes);
            }
        }
        d.host.QueueChildResult(c.boxResult);
        d.host.Click(IDC_SAVE_POWER_SAVE);
        EXPECT_EQ(d.model.State().powerSaveMode, c.mode) << c.sentence;
        EXPECT_EQ(d.model.State().powerSaveMinutes, c.sentMinutes) << c.sentence;
        ASSERT_EQ(d.host.Children().size(), 1u);
        EXPECT_EQ(d.host.Children()[0].title, "Power Save Mode Setting Information");
        EXPECT_EQ(d.host.Children()[0].controls.at(IDC_INFO_TEXT).text, c.sentence);
        EXPECT_FALSE(d.serial.IsOpen());
        EXPECT_TRUE(d.host.Control(IDC_OPEN_PORT).enabled);
    }
}

TEST(MainDialogCodePage, SavedConfirmedByNameAndPrinted) {
    MainDialog d;
    d.Open();
    d.host.SelectByUser(IDC_CODE_PAGE, 2);
    d.host.QueueChildResult(ui::kIdCancel);  // however the box ends, the port stays open
    d.host.Click(IDC_SAVE_CODE_PAGE);
    d.host.Click(IDC_SAVE_CODE_PAGE);
    EXPECT_EQ(d.model.State().codePage, 2);
    ASSERT_EQ(d.host.Children().size(), 2u);
    EXPECT_EQ(d.host.Children()[0].controls.at(IDC_INFO_TEXT).text, "Code Page changed to CP_850.");
    EXPECT_EQ(d.host.Children()[0].result, ui::kIdCancel);
    EXPECT_EQ(d.host.Children()[1].result, ui::kIdOk);
    d.host.Click(IDC_PRINT_CODE_PAGE);
    d.model.Advance(d.clock.NowMs() + d.model.CommandPauseMs());  // a pause ends print data
    EXPECT_EQ(d.model.State().pages.size(), 1u);
    EXPECT_TRUE(d.serial.IsOpen());
    EXPECT_EQ(d.Message(), "0 messages");
}

}  // namespace
}  // namespace tarvek::testing
