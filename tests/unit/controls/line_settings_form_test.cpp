// The port and line settings both dialogs carry, through each dialog's own routing: the Port
// rule, the data-bits/parity rule, and the settings that reach the link when the port opens.
#include <gtest/gtest.h>

#include <memory>

#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "ui/recording_host.h"
#include "unit/maindlg/simulated_printer.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::testing {
namespace {

struct Form {
    const char* dialog;
    int port, baud, parity, dataBits, stopBits, flow, open, close;
    // The control that shows the port opened and the printer answered.
    int openedSign;
};

constexpr Form kForms[] = {
    {"main", IDC_PORT, IDC_BAUDRATE, IDC_PARITY, IDC_DATABITS, IDC_STOPBITS, IDC_FLOW,
     IDC_OPEN_PORT, IDC_CLOSE_PORT, IDC_CLOSE_PORT},
    {"Wi-Fi", IDC_WIFI_PORT, IDC_WIFI_BAUDRATE, IDC_WIFI_PARITY, IDC_WIFI_DATABITS,
     IDC_WIFI_STOPBITS, IDC_WIFI_FLOW, IDC_WIFI_OPEN_PORT, IDC_WIFI_CLOSE_PORT, IDC_WIFI_GET},
};

// One of the two dialogs on a recording host over the simulated printer.
struct Dialog : SimulatedPrinter {
    explicit Dialog(const Form& f, int codePage = 1252, const std::string& comPort = "COM1")
        : SimulatedPrinter(comPort), form(f), host(codePage) {
        if (f.port == IDC_PORT) {
            logic = std::make_unique<CTarvekDlg>(services);
        } else {
            logic = std::make_unique<CWifiSetDlg>(services.wifi);
        }
        host.Start(*logic);
    }
    std::string Selected(int id) const { return SelectedText(host, id); }
    bool LineEnabled(bool enabled) const {
        for (int id : {form.baud, form.parity, form.dataBits, form.stopBits, form.flow}) {
            if (host.Control(id).enabled != enabled) {
                return false;
            }
        }
        return true;
    }

    const Form& form;
    ui::RecordingHost host;
    std::unique_ptr<ui::DialogLogic> logic;
};

TEST(LineSettingsForm, UsbTurnsTheLineListsOffAndSwapsThePortIcons) {
    for (const Form& f : kForms) {
        Dialog d(f);
        d.host.SelectByUser(f.port, 9);
        EXPECT_TRUE(d.LineEnabled(false)) << f.dialog;
        EXPECT_EQ(d.host.Control(f.open).buttonIcon, IDI_USB_OPEN_PORT);
        EXPECT_EQ(d.host.Control(f.close).buttonIcon, IDI_USB_CLOSE_PORT);
        d.host.SelectByUser(f.port, 8);
        EXPECT_TRUE(d.LineEnabled(true)) << f.dialog;
        EXPECT_EQ(d.host.Control(f.open).buttonIcon, IDI_OPEN_PORT);
        EXPECT_EQ(d.host.Control(f.close).buttonIcon, IDI_CLOSE_PORT);
        EXPECT_TRUE(d.host.Messages().empty());
    }
}

TEST(LineSettingsForm, SevenDataBitsWithoutParityIsPutBackInEnglish) {
    for (const Form& f : kForms) {
        Dialog d(f, 949);
        d.host.SelectByUser(f.dataBits, 0);  // 7 with NONE: Data bits goes back to 8
        EXPECT_EQ(d.Selected(f.dataBits), "8") << f.dialog;
        d.host.SelectByUser(f.parity, 2);
        d.host.SelectByUser(f.dataBits, 0);  // 7 with EVEN: allowed
        d.host.SelectByUser(f.parity, 0);    // NONE with 7: Parity goes to ODD
        EXPECT_EQ(d.Selected(f.parity), "ODD") << f.dialog;
        EXPECT_EQ(d.Selected(f.dataBits), "7") << f.dialog;
        ASSERT_EQ(d.host.Messages().size(), 2u) << f.dialog;
        for (const ui::ShownMessage& m : d.host.Messages()) {
            EXPECT_EQ(m.text + " | " + m.caption,
                      "Data Bits=7, Parity=NONE is not supported | ERROR");
        }
    }
}

TEST(LineSettingsForm, TheChosenPortAndLineReachTheLink) {
    for (const Form& f : kForms) {
        // The printer listens on COM3 at 38400 baud, even parity, 8 bits, 2 stop bits.
        Dialog d(f, 1252, "COM3");
        d.model.State().serial = {38400, kParityEven, kDataBits8, kStopBits2, kFlowDtrDsr};
        d.host.SelectByUser(f.port, 2);
        d.host.SelectByUser(f.baud, 2);
        d.host.SelectByUser(f.parity, 2);
        d.host.SelectByUser(f.stopBits, 1);
        d.host.Click(f.open);
        EXPECT_TRUE(d.host.Messages().empty()) << f.dialog;
        EXPECT_TRUE(d.host.Control(f.openedSign).enabled) << f.dialog;
    }
}

TEST(LineSettingsForm, ATypedTextInAListRefusesOpenPort) {
    for (const Form& f : kForms) {
        for (const int list : {f.port, f.baud, f.parity, f.dataBits, f.stopBits, f.flow}) {
            Dialog d(f);
            d.host.TypeComboText(list, "4800");
            d.host.Click(f.open);
            ASSERT_EQ(d.host.Messages().size(), 1u) << f.dialog << " " << list;
            EXPECT_EQ(d.host.Messages()[0].text, "Please choose a value from the list.");
            EXPECT_TRUE(d.portCheck.asked.empty());
            EXPECT_EQ(d.model.HostByteCount(), 0);
        }
    }
}

// Only the Wi-Fi dialog reads the line lists for a USB port.
TEST(LineSettingsForm, ATypedLineTextCountsForUsbInTheWifiDialogOnly) {
    for (const Form& f : kForms) {
        Dialog d(f);
        d.host.SelectByUser(f.port, 9);
        d.host.MutableControl(f.baud).selection = -1;
        d.host.Click(f.open);
        EXPECT_EQ(d.portCheck.asked.empty(), f.port == IDC_WIFI_PORT) << f.dialog;
    }
}

}  // namespace
}  // namespace tarvek::testing
