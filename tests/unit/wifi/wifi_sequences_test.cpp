#include "wifimodule/wifi_sequences.h"

#include <gtest/gtest.h>

#include <cstring>

#include "scripted_module.h"
#include "step_messages.h"
#include "support/virtual_clock.h"
#include "wifimodule/psk.h"

namespace tarvek {
namespace {

using testing::FakeSerialLink;
using testing::FakeUsbLink;
using testing::ScriptedModule;
using testing::VirtualClock;

struct SequenceTest : ::testing::Test {
    VirtualClock clock;
    FakeSerialLink serial{clock};
    FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    WifiModuleProtocol protocol{ChannelSet{serial, usb, kind}, clock};
    ScriptedModule module{serial};
    WifiSettings settings;
    std::vector<std::pair<int, int>> steps;  // (step, progress)
    StepObserver observer = [this](int step, int, int progress) {
        steps.emplace_back(step, progress);
    };

    void SetUp() override { ASSERT_EQ(protocol.OpenModuleChannel("COM1", 9600, 0, 1, 0, 0), 0); }

    int CommandsStartingWith(char c) const {
        int n = 0;
        for (const std::string& cmd : module.commands) {
            n += cmd[0] == c;
        }
        return n;
    }

    WifiFormValues WpaForm() const {
        WifiFormValues f;
        f.address[0] = 0xC0A80064;
        f.address[1] = 0xFFFFFF00;
        f.address[2] = 0xC0A80001;
        f.address[3] = 0x08080808;
        f.ssid = "Warehouse";
        f.wpaKey = "correct horse";
        f.wifiMode = 1;
        f.channel = 10;
        f.encryption = 3;
        f.keyId = 0;
        f.auth = 1;
        f.wpaAuth = 2;
        f.wpaCipher = 2;
        return f;
    }
};

TEST_F(SequenceTest, ReadOfAWpaCapableModuleEndsWithTheMacAddress) {
    module.images[0] = ScriptedModule::Image(0, {10, 1, 2, 3});
    module.images[4] = ScriptedModule::Image(4, testing::B("Dock"));
    module.images[5] = ScriptedModule::Image(5, {0x61, 0x45, 0x14});
    const SequenceResult r = ReadWifiSettings(protocol, settings, observer);
    EXPECT_TRUE(r.Succeeded());
    EXPECT_STREQ(r.message, "Read Complete");
    EXPECT_STREQ(r.caption, "OK");
    EXPECT_EQ(settings.m_nModuleKind, kModuleWpaCapable);
    EXPECT_STREQ(settings.m_szSsid, "Dock");
    EXPECT_STREQ(settings.m_szMacAddress, "00:1a:2b:3c:4d:5e");
    EXPECT_EQ(module.commands.size(), 11u);
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0], std::make_pair(1, 16));
    EXPECT_EQ(steps[4], std::make_pair(5, 83));
    EXPECT_EQ(steps[5].second, -1);
}

TEST_F(SequenceTest, ReadOfAWepOnlyModuleSkipsTheMacAddress) {
    module.wpaCapable = false;
    const SequenceResult r = ReadWifiSettings(protocol, settings, observer);
    EXPECT_TRUE(r.Succeeded());
    EXPECT_EQ(settings.m_nModuleKind, kModuleWepOnly);
    EXPECT_EQ(module.commands.size(), 10u);
    EXPECT_EQ(CommandsStartingWith('c'), 0);
}

TEST_F(SequenceTest, ReadReportsTheStepThatGotNoReply) {
    const char* const* expected = testing::kReadNoReply;
    for (int step = 0; step < 11; ++step) {
        module.commands.clear();
        module.silentAtCommand = step;
        const SequenceResult r = ReadWifiSettings(protocol, settings, nullptr);
        EXPECT_EQ(r.failure, StepFailure::NoReply) << step;
        EXPECT_EQ(r.step, step + 1);
        EXPECT_STREQ(r.message, expected[step]);
        EXPECT_STREQ(r.caption, "ERROR");
        EXPECT_EQ(module.commands.size(), static_cast<std::size_t>(step + 1));
    }
}

TEST_F(SequenceTest, ReadReportsRefusalsAndDamagedReplies) {
    module.refuseAtCommand = 1;
    SequenceResult r = ReadWifiSettings(protocol, settings, nullptr);
    EXPECT_EQ(r.failure, StepFailure::NotAcknowledged);
    EXPECT_STREQ(r.message, "Get Netmask Information Failed");
    module.refuseAtCommand = -1;
    module.commands.clear();
    module.corruptAtCommand = 4;
    r = ReadWifiSettings(protocol, settings, nullptr);
    EXPECT_STREQ(r.message, "Get SSID Information Failed");
    module.commands.clear();
    module.corruptAtCommand = -1;
    module.refuseAtCommand = 10;
    r = ReadWifiSettings(protocol, settings, nullptr);
    EXPECT_STREQ(r.message, "Get Mac Address Failed");
}

TEST_F(SequenceTest, WriteToAWpaModuleSendsTenRegistersAndThePskOfWhatWasWritten) {
    ASSERT_TRUE(ReadWifiSettings(protocol, settings, nullptr).Succeeded());
    module.commands.clear();
    steps.clear();
    const WifiFormValues form = WpaForm();
    const SequenceResult r = WriteWifiSettings(protocol, settings, form, observer);
    EXPECT_TRUE(r.Succeeded());
    EXPECT_STREQ(r.message, "Write Complete");
    EXPECT_EQ(CommandsStartingWith('u'), 1);
    EXPECT_EQ(CommandsStartingWith('w'), 10);
    EXPECT_EQ(CommandsStartingWith('f'), 1);
    EXPECT_EQ(module.commands.front()[0], 'u');
    EXPECT_EQ(module.commands.back()[0], 'f');
    EXPECT_EQ(module.images[0], ScriptedModule::Image(0, {192, 168, 0, 100}));
    EXPECT_EQ(module.images[5], ScriptedModule::Image(5, {0xB1, 0x80, 0x14}));
    const Psk psk = DerivePsk("correct horse", "Warehouse");
    EXPECT_EQ(module.images[9], ScriptedModule::Image(9, Bytes(psk.begin(), psk.end())));
    EXPECT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[3], std::make_pair(4, 66));
}

TEST_F(SequenceTest, WriteToAWepOnlyModuleSendsNineRegisters) {
    module.wpaCapable = false;
    ASSERT_TRUE(ReadWifiSettings(protocol, settings, nullptr).Succeeded());
    module.commands.clear();
    WifiFormValues form = WpaForm();
    form.encryption = 0;
    form.auth = 3;
    EXPECT_TRUE(WriteWifiSettings(protocol, settings, form, nullptr).Succeeded());
    EXPECT_EQ(CommandsStartingWith('w'), 9);
    // No WEP: Open System is written whatever the authentication list shows.
    EXPECT_EQ(module.images[5], ScriptedModule::Image(5, {0xB1, 0x40, 0x00}));
}

TEST_F(SequenceTest, AFailedWriteEndsTheSaveAndNothingIsFlashed) {
    const char* const* expected = testing::kWriteRefused;
    ASSERT_TRUE(ReadWifiSettings(protocol, settings, nullptr).Succeeded());
    for (int step = 0; step < 10; ++step) {
        module.commands.clear();
        module.refuseAtCommand = step + 1;  // after the unlock
        const SequenceResult r = WriteWifiSettings(protocol, settings, WpaForm(), nullptr);
        EXPECT_EQ(r.failure, StepFailure::NotAcknowledged);
        EXPECT_EQ(r.step, step + 1);
        EXPECT_STREQ(r.message, expected[step]);
        EXPECT_EQ(CommandsStartingWith('f'), 0) << step;
    }
    module.refuseAtCommand = -1;
    module.commands.clear();
    module.silentAtCommand = 5;
    const SequenceResult r = WriteWifiSettings(protocol, settings, WpaForm(), nullptr);
    EXPECT_STREQ(r.message, "Set SSID and Read Failed");
    EXPECT_EQ(CommandsStartingWith('f'), 0);
}

TEST_F(SequenceTest, FlashRefusalIsReportedAndSilenceIsNot) {
    ASSERT_TRUE(ReadWifiSettings(protocol, settings, nullptr).Succeeded());
    module.flashAnswer = "ERR\r\n";
    SequenceResult r = WriteWifiSettings(protocol, settings, WpaForm(), nullptr);
    EXPECT_STREQ(r.message, "Flash Write Error");
    EXPECT_STREQ(r.caption, "ERROR");
    module.flashAnswer = "";
    r = WriteWifiSettings(protocol, settings, WpaForm(), nullptr);
    EXPECT_STREQ(r.message, "Write Complete");
}

TEST_F(SequenceTest, RefusedSaveSendsNothing) {
    ASSERT_TRUE(ReadWifiSettings(protocol, settings, nullptr).Succeeded());
    module.commands.clear();
    WifiFormValues form = WpaForm();
    form.wpaKey = std::string(32, 'k');
    SequenceResult r = WriteWifiSettings(protocol, settings, form, nullptr);
    EXPECT_EQ(r.failure, StepFailure::Refused);
    EXPECT_STREQ(r.message, "WPA Key Length is not long");
    EXPECT_STREQ(r.caption, "Error");
    form.wpaKey = "";
    form.wifiMode = -1;
    r = WriteWifiSettings(protocol, settings, form, nullptr);
    EXPECT_EQ(r.failure, StepFailure::Refused);
    EXPECT_TRUE(module.commands.empty());
}

TEST(ValidateSave, KeyAndPassphraseLengths) {
    WifiSettings s;
    s.m_nModuleKind = kModuleWpaCapable;
    WifiFormValues f;
    f.wifiMode = 0;
    f.channel = 0;
    f.auth = 2;
    f.keyId = 1;
    f.encryption = 1;
    f.keyText[1] = "0123456789";
    EXPECT_EQ(ValidateSave(f, s), nullptr);
    for (const char* text : {"012345678", "01234567890"}) {
        f.keyText[1] = text;
        EXPECT_STREQ(ValidateSave(f, s), "Key Length is not matched");
    }
    s.m_nKeyFormat[1] = kKeyFormatAscii;
    f.keyText[1] = "abcdef";
    EXPECT_STREQ(ValidateSave(f, s), "Key Length is too long");
    f.keyText[1] = "";
    EXPECT_EQ(ValidateSave(f, s), nullptr);
    f.encryption = 2;
    f.keyText[1] = std::string(14, 'x');
    EXPECT_STREQ(ValidateSave(f, s), "Key Length is too long");
    s.m_nKeyFormat[1] = kKeyFormatHex;
    f.keyText[1] = std::string(26, 'A');
    EXPECT_EQ(ValidateSave(f, s), nullptr);

    f.encryption = 3;
    f.wpaAuth = 1;
    f.wpaCipher = 1;
    f.wpaKey = std::string(31, 'p');
    EXPECT_EQ(ValidateSave(f, s), nullptr);
    f.wpaKey = std::string(32, 'p');
    EXPECT_STREQ(ValidateSave(f, s), "WPA Key Length is not long");
    f.wpaKey = "short12";
    EXPECT_STREQ(ValidateSave(f, s), "WPA Key Length is not long");
    f.wpaKey = "long enough";
    f.wpaCipher = -1;
    EXPECT_NE(ValidateSave(f, s), nullptr);
    // Another encryption: the WPA key is not tested.
    f.encryption = 0;
    f.wpaKey = std::string(40, 'p');
    EXPECT_EQ(ValidateSave(f, s), nullptr);
}

}  // namespace
}  // namespace tarvek
