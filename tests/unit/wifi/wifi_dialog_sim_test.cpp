// The Wi-Fi dialog against the simulated printer's Wi-Fi module, in process: whole exchanges
// on the virtual clock through simulated serial links.
#include <gtest/gtest.h>

#include <cstring>

#include "support/virtual_clock.h"
#include "ui/recording_host.h"
#include "sim_dialog_env.h"

namespace tarvek {
namespace {

struct WifiDialogOnSimulator : ::testing::Test, testing::WifiSimEnv {
    CWifiSetDlg dlg{services};
    ui::RecordingHost host;

    void SetUp() override {
        host.Start(dlg);
        host.SelectByUser(IDC_WIFI_BAUDRATE, testing::kSimBaudIndex);
    }
    void Click(int id, const std::string& expectedMessage) {
        host.ClearMessages();
        host.Click(id);
        ASSERT_EQ(host.Messages().size(), expectedMessage.empty() ? 0u : 1u);
        if (!expectedMessage.empty()) {
            EXPECT_EQ(host.Messages()[0].text, expectedMessage);
        }
    }
    // Edits the read settings: SSID, addresses, channel and WPA2 with a passphrase.
    void EditToWpa2(const std::string& ssid, const std::string& passphrase) {
        host.TypeInto(IDC_WIFI_SSID, ssid);
        host.SetIpAddress(IDC_WIFI_IP, 0x0A000064);
        host.SetIpAddress(IDC_WIFI_NETMASK, 0xFFFF0000);
        host.SetIpAddress(IDC_WIFI_GATEWAY, 0x0A000001);
        host.SetIpAddress(IDC_WIFI_DNS, 0x08080404);
        host.SelectByUser(IDC_WIFI_CHANNEL, 10);
        host.SelectByUser(IDC_WIFI_ENCRYPTION, 3);
        host.SelectByUser(IDC_WPA_AUTH, 2);
        host.TypeInto(IDC_WPA_KEY, passphrase);
    }
    const sim::RegisterImage& Flash(int index) const {
        return model.State().flash[static_cast<std::size_t>(index)];
    }
};

TEST_F(WifiDialogOnSimulator, ReadEditSaveAndReadAgain) {
    Click(IDC_WIFI_OPEN_PORT, "");
    EXPECT_TRUE(model.State().ispMode);
    Click(IDC_WIFI_GET, "Read Complete");
    EXPECT_EQ(host.GetIpAddress(IDC_WIFI_IP), 0xC0A80064u);
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_SSID), "tarvek");
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_MAC), "00:1d:c9:10:20:30");
    EXPECT_EQ(host.GetListCount(IDC_WIFI_ENCRYPTION), 4);

    EditToWpa2("IEEE", "password");
    Click(IDC_WIFI_SAVE, "Write Complete");
    const sim::RegisterImage& ssid = Flash(4);
    EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 8), "IEEE");
    EXPECT_EQ(Flash(0)[4], 10);
    EXPECT_EQ(Flash(5)[4], 0xB1);  // channel 11, infrastructure
    EXPECT_EQ(Flash(5)[6], 0x14);  // WPA2 PSK with AES
    EXPECT_EQ(std::memcmp(Flash(9).data() + 4, testing::kAnnexH4Psk, 32), 0);

    Click(IDC_WIFI_GET, "Read Complete");
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_SSID), "IEEE");
    EXPECT_EQ(host.GetIpAddress(IDC_WIFI_DNS), 0x08080404u);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_CHANNEL), 10);
    EXPECT_EQ(host.GetListSelection(IDC_WIFI_ENCRYPTION), 3);
    EXPECT_EQ(host.GetListSelection(IDC_WPA_AUTH), 2);
    EXPECT_EQ(host.GetAnsiText(IDC_WPA_KEY), "password");

    host.CloseByUser();
    EXPECT_FALSE(model.State().ispMode);
    EXPECT_FALSE(serial.IsOpen());
    EXPECT_TRUE(host.Ended());
}

TEST_F(WifiDialogOnSimulator, ASaveRefusedAtAnyRegisterLeavesTheFlashAsItWas) {
    Click(IDC_WIFI_OPEN_PORT, "");
    Click(IDC_WIFI_GET, "Read Complete");
    EditToWpa2("Elsewhere", "a passphrase");
    const sim::RegisterFile before = model.State().flash;
    for (int k = 0; k < kRegisterCount; ++k) {
        model.FaultSettings().refuseWrite = {k};
        host.ClearMessages();
        host.Click(IDC_WIFI_SAVE);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_NE(host.Messages()[0].text.find("Syntex Error"), std::string::npos) << k;
        EXPECT_TRUE(model.State().flash == before) << k;
    }
}

TEST_F(WifiDialogOnSimulator, AWepOnlyModuleIsReadWithoutMacAndWrittenWithoutPsk) {
    model.State().moduleKind = sim::ModuleKind::WepOnly;
    Click(IDC_WIFI_OPEN_PORT, "");
    Click(IDC_WIFI_GET, "Read Complete");
    EXPECT_EQ(host.GetListCount(IDC_WIFI_ENCRYPTION), 3);
    EXPECT_EQ(host.GetAnsiText(IDC_WIFI_MAC), "");
    host.TypeInto(IDC_WIFI_SSID, "WepNet");
    Click(IDC_WIFI_SAVE, "Write Complete");
    const sim::RegisterImage& ssid = Flash(4);
    EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 10), "WepNet");
}

TEST_F(WifiDialogOnSimulator, AWrongLineSpeedEndsWithIspModeSetFailed) {
    host.SelectByUser(IDC_WIFI_BAUDRATE, 0);
    Click(IDC_WIFI_OPEN_PORT, "ISP Mode Set Failed");
    EXPECT_FALSE(model.State().ispMode);
    EXPECT_FALSE(serial.IsOpen());
}

}  // namespace
}  // namespace tarvek
