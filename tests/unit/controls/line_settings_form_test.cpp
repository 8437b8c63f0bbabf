// The port and line settings both dialogs carry, through each dialog's own routing: the Port
// rule, the data-bits/parity rule, and the settings that reach the link when the port opens.
#include "unit/maindlg/dialog_fixtures.h"

namespace tarvek::testing {
namespace {

struct Form {
    int port, baud, parity, dataBits, stopBits, flow, open, close;
    int opened;  // the control that the port's opening (and the printer's answer) enables
};
constexpr Form kMain{IDC_PORT, IDC_BAUDRATE,  IDC_PARITY,     IDC_DATABITS,  IDC_STOPBITS,
                     IDC_FLOW, IDC_OPEN_PORT, IDC_CLOSE_PORT, IDC_CLOSE_PORT};
constexpr Form kWifi{IDC_WIFI_PORT,      IDC_WIFI_BAUDRATE,   IDC_WIFI_PARITY,
                     IDC_WIFI_DATABITS,  IDC_WIFI_STOPBITS,   IDC_WIFI_FLOW,
                     IDC_WIFI_OPEN_PORT, IDC_WIFI_CLOSE_PORT, IDC_WIFI_GET};

// Runs the test on a fresh main dialog, then on a fresh Wi-Fi dialog.
template <class Test>
void OnBothDialogs(Test test, int codePage = 1252, const std::string& comPort = "COM1") {
    MainDialog main(codePage, comPort);
    test(main, kMain);
    WifiDialog wifi(codePage, comPort);
    test(wifi, kWifi);
}

TEST(LineSettingsForm, UsbTurnsTheLineListsOffAndSwapsThePortIcons) {
    OnBothDialogs([](auto& d, const Form& f) {
        for (const bool usb : {true, false}) {
            d.host.SelectByUser(f.port, usb ? 9 : 8);
            for (const int id : {f.baud, f.parity, f.dataBits, f.stopBits, f.flow}) {
                EXPECT_EQ(d.host.Control(id).enabled, !usb) << id;
            }
            EXPECT_EQ(d.host.Control(f.open).buttonIcon, usb ? IDI_USB_OPEN_PORT : IDI_OPEN_PORT);
            EXPECT_EQ(d.host.Control(f.close).buttonIcon,
                      usb ? IDI_USB_CLOSE_PORT : IDI_CLOSE_PORT);
        }
        EXPECT_TRUE(d.host.Messages().empty());
    });
}

TEST(LineSettingsForm, SevenDataBitsWithoutParityIsPutBackInEnglish) {
    OnBothDialogs(
        [](auto& d, const Form& f) {
            d.host.SelectByUser(f.dataBits, 0);  // 7 with NONE: Data bits goes back to 8
            EXPECT_EQ(d.Selected(f.dataBits), "8");
            d.host.SelectByUser(f.parity, 2);
            d.host.SelectByUser(f.dataBits, 0);  // 7 with EVEN: allowed
            d.host.SelectByUser(f.parity, 0);    // NONE with 7: Parity goes to ODD
            EXPECT_EQ(d.Selected(f.parity), "ODD");
            EXPECT_EQ(d.Selected(f.dataBits), "7");
            ASSERT_EQ(d.host.Messages().size(), 2u);
            for (const ui::ShownMessage& m : d.host.Messages()) {
                EXPECT_EQ(m.text + " | " + m.caption,
                          "Data Bits=7, Parity=NONE is not supported | ERROR");
            }
        },
        949);
}

TEST(LineSettingsForm, TheChosenPortAndLineReachTheLink) {
    // The printer listens on COM3 at 38400 baud, even parity, 8 bits, 2 stop bits.
    OnBothDialogs(
        [](auto& d, const Form& f) {
            d.model.State().serial = {38400, kParityEven, kDataBits8, kStopBits2, kFlowDtrDsr};
            d.host.SelectByUser(f.port, 2);
            d.host.SelectByUser(f.baud, 2);
            d.host.SelectByUser(f.parity, 2);
            d.host.SelectByUser(f.stopBits, 1);
            d.host.Click(f.open);
            EXPECT_EQ(d.Message(), "0 messages");
            EXPECT_TRUE(d.host.Control(f.opened).enabled);
        },
        1252, "COM3");
}

TEST(LineSettingsForm, ATypedTextInAListRefusesOpenPort) {
    for (int list = 0; list < 6; ++list) {
        OnBothDialogs([list](auto& d, const Form& f) {
            const int lists[] = {f.port, f.baud, f.parity, f.dataBits, f.stopBits, f.flow};
            d.host.TypeComboText(lists[list], "4800");
            d.host.Click(f.open);
            EXPECT_EQ(d.Message(), "Please choose a value from the list. | Error") << list;
            EXPECT_TRUE(d.portCheck.asked.empty());
            EXPECT_EQ(d.model.HostByteCount(), 0);
        });
    }
    // For a USB port only the Wi-Fi dialog reads the line lists (here one typed into before).
    OnBothDialogs([](auto& d, const Form& f) {
        d.host.TypeComboText(f.baud, "4800");
        d.host.SelectByUser(f.port, 9);
        d.host.Click(f.open);
        EXPECT_EQ(d.portCheck.asked.empty(), f.port == IDC_WIFI_PORT);
    });
}

}  // namespace
}  // namespace tarvek::testing
