// The Wi-Fi dialog on a recording host, with its own fake serial and USB links, a virtual
// clock and a port conflict check that a test can make answer "held".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maindlg/dialog_services.h"
#include "res/resource.h"
#include "support/fake_link.h"
#include "support/virtual_clock.h"
#include "ui/recording_host.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek::testing {

class FakeConflictCheck : public PortConflictCheck {
  public:
    bool held = false;
    std::vector<std::string> checkedPorts;
    bool Check(const std::string& portText, PortConflictVariant variant, PortHolder& holder,
               ui::DialogHost&) override {
        checkedPorts.push_back(portText);
        lastVariant = variant;
        holder = {};
        if (held) {
            holder.printerName = "Label Printer";
            holder.portName = portText + ":";
        }
        return held;
    }
    PortConflictVariant lastVariant = PortConflictVariant::MainDialog;
};

// The controls of the state tables, with the enabled state each state gives them.
struct ExpectedControl {
    int id;
    bool closed, portOpen, settingsLoaded;
};

inline constexpr ExpectedControl kStateColumns[] = {
    {IDC_WIFI_PORT, true, false, false},      {IDC_WIFI_BAUDRATE, true, false, false},
    {IDC_WIFI_DATABITS, true, false, false},  {IDC_WIFI_PARITY, true, false, false},
    {IDC_WIFI_STOPBITS, true, false, false},  {IDC_WIFI_OPEN_PORT, true, false, false},
    {IDC_WIFI_CLOSE_PORT, false, true, true}, {IDC_WIFI_GET, false, true, false},
    {IDC_WIFI_SAVE, false, false, true},      {IDOK, true, false, false},
    {IDC_WIFI_SSID, false, false, true},      {IDC_WIFI_IP, false, false, true},
    {IDC_WIFI_NETMASK, false, false, true},   {IDC_WIFI_GATEWAY, false, false, true},
    {IDC_WIFI_DNS, false, false, true},       {IDC_WIFI_MODE, false, false, true},
    {IDC_WIFI_CHANNEL, false, false, true},   {IDC_WIFI_ENCRYPTION, false, false, true},
    {IDC_WIFI_AUTH, false, false, true},      {IDC_WPA_ENCRYPTION, false, false, false},
    {IDC_WIFI_MAC, false, false, false},
};

inline constexpr int kKeyArea[] = {
    IDC_KEY1,        IDC_KEY2,        IDC_KEY3,     IDC_KEY4,    IDC_KEY1_FORMAT,   IDC_KEY2_FORMAT,
    IDC_KEY3_FORMAT, IDC_KEY4_FORMAT, IDC_WPA_AUTH, IDC_WPA_KEY, IDC_WPA_ENCRYPTION};

// The links, clock and services of one dialog.
struct WifiDialogEnv {
    VirtualClock clock;
    FakeSerialLink serial{clock};
    FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    FakeSerialLink mainSerial{clock};
    FakeUsbLink mainUsb{clock};
    TransportKind mainKind = TransportKind::Serial;
    FakeConflictCheck conflicts;
    DialogServices services{ChannelSet{mainSerial, mainUsb, mainKind},
                            ChannelSet{serial, usb, kind}, clock, conflicts};
};

struct WifiDialogTest : ::testing::Test, WifiDialogEnv {
    void ExpectState(const ui::RecordingHost& host, CWifiSetDlg::State state) {
        for (const ExpectedControl& c : kStateColumns) {
            const bool expected = state == CWifiSetDlg::State::Closed     ? c.closed
                                  : state == CWifiSetDlg::State::PortOpen ? c.portOpen
                                                                          : c.settingsLoaded;
            EXPECT_EQ(host.Control(c.id).enabled, expected)
                << "control " << c.id << " in state " << static_cast<int>(state);
        }
        if (state != CWifiSetDlg::State::SettingsLoaded) {
            EXPECT_FALSE(host.Control(IDC_KEY_ID).enabled);
            ExpectKeyAreaDisabled(host);
        }
    }
    static void ExpectKeyAreaDisabled(const ui::RecordingHost& host) {
        for (int id : kKeyArea) {
            EXPECT_FALSE(host.Control(id).enabled) << "control " << id;
        }
    }
    static std::string LastMessage(const ui::RecordingHost& host) {
        return host.Messages().empty() ? "" : host.Messages().back().text;
    }
    static std::string LastCaption(const ui::RecordingHost& host) {
        return host.Messages().empty() ? "" : host.Messages().back().caption;
    }
};

}  // namespace tarvek::testing
