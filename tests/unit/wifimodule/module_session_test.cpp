// Whole module sessions against the simulated module on the virtual clock: opening into ISP mode,
// the read and save sequences, their failures at every step (dying mid-save: tarvek-cli's test).
#include "wifimodule/module_session.h"
#include "wifimodule/wifi_settings.h"
#include "wifimodule/psk.h"

#include <gtest/gtest.h>

#include "sim/simulated_link.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

const PortRequest kCom1{
    TransportKind::Serial, "COM1", {9600, kParityNone, kDataBits8, kStopBits1, 0}};

// A module that the session can reach, and what it remembers.
struct Bench {
    testing::VirtualClock clock;
    sim::PrinterModel model;
    sim::SimulatedSerialLink serial{model, clock, "COM1"};
    sim::SimulatedUsbLink usb{model, clock};
    TransportKind kind = TransportKind::Serial;
    ModuleSession session{ChannelSet{serial, usb, kind}, clock};
    WifiSettings settings;  // the dialog's working copy
    std::vector<int> progress;

    explicit Bench(sim::ModuleKind module = sim::ModuleKind::WpaCapable) {
        model.State().moduleKind = module;
    }
    SequenceResult Read() {
        return session.Read(settings.module, [this](int, int, int p) { progress.push_back(p); });
    }
    bool OpenAndRead() { return session.Open(kCom1) == ModuleOpen::Opened && Read().Succeeded(); }
    SequenceResult Write(const WifiFormValues& form) {
        return session.Save(SettingsToSave(settings, form), {});
    }
};

// What the dialog would hand over after a read with these edits: WPA2 on a new network.
WifiFormValues NewNetwork() {
    // Addresses; SSID and WPA key; mode, channel, encryption, key id, authentication, WPA pair.
    // clang-format off
    return {{0x0A000064, 0xFFFF0000, 0x0A000001, 0x08080808}, "IEEE", "password", 1, 10, 3, 0, 1,
            2, 2, {}};
    // clang-format on
}

TEST(ModulePortKind, TheFirstThreeLettersNameTheLink) {
    EXPECT_EQ(ModulePortKind("USB"), TransportKind::Usb);
    EXPECT_EQ(ModulePortKind("COM12"), TransportKind::Serial);
    EXPECT_EQ(ModulePortKind("com1"), TransportKind::None);
}

TEST(ModuleSession, OpenSettlesThenEntersIspModeAndCloseLeavesIt) {
    Bench b;
    ASSERT_EQ(b.session.Open(kCom1), ModuleOpen::Opened);
    EXPECT_TRUE(b.model.State().ispMode);
    // The settle pause, the idle preamble's pause, then the second the switch takes on serial.
    EXPECT_EQ(std::vector<std::uint32_t>(b.clock.Sleeps().begin(), b.clock.Sleeps().begin() + 3),
              (std::vector<std::uint32_t>{500, 350, 1000}));
    b.session.Close();
    EXPECT_FALSE(b.model.State().ispMode);
    EXPECT_FALSE(b.serial.IsOpen());
    EXPECT_EQ(b.serial.Writes().back().bytes, (Bytes{0x1B, 0x5B, 0x4D, 0x00}));
}

TEST(ModuleSession, OpenFailuresLeaveNoLinkOpen) {
    Bench wrongPort;
    EXPECT_EQ(wrongPort.session.Open({TransportKind::Serial, "COM2", kCom1.line}),
              ModuleOpen::OpenFailed);
    Bench silent;
    silent.model.FaultSettings().silent = true;
    EXPECT_EQ(silent.session.Open(kCom1), ModuleOpen::NoIspReply);
    EXPECT_FALSE(silent.serial.IsOpen());
    Bench none;  // a port text that names no link: nothing is sent
    EXPECT_EQ(none.session.Open({TransportKind::None, "LPT1", {}}), ModuleOpen::NoIspReply);
    EXPECT_TRUE(none.serial.Writes().empty());
}

TEST(ReadSequence, AWpaCapableModuleIsReadWholeWithItsMacAddress) {
    Bench b;
    ASSERT_TRUE(b.OpenAndRead());
    EXPECT_EQ(b.settings.module.kind, WifiModuleKind::WpaCapable);
    EXPECT_EQ(b.settings.module.ssid, "tarvek");
    EXPECT_EQ(b.settings.module.channel, 6);
    EXPECT_EQ(b.settings.module.mac, "00:1d:c9:10:20:30");
    EXPECT_EQ(b.progress, (std::vector<int>{16, 33, 50, 66, 83, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(ReadStepCount(b.settings.module.kind), 11);
}

TEST(ReadSequence, EachStepFailsOnItsOwnAndAWepOnlyModuleHasNoMacAddress) {
    struct Case {
        const char* name;
        void (*fault)(sim::Faults&);
        StepFailure failure;
        int step;
    };
    const Case cases[] = {
        {"netmask refused", [](sim::Faults& f) { f.refuseRead = {1}; },
         StepFailure::NotAcknowledged, 2},
        {"MAC refused", [](sim::Faults& f) { f.refuseRead = {10}; }, StepFailure::NotAcknowledged,
         11},
        {"SSID damaged", [](sim::Faults& f) { f.corruptReadCheck = {4}; },
         StepFailure::NotAcknowledged, 5},
        {"silent after the switch and 6 reads", [](sim::Faults& f) { f.silentAfterCommands = 7; },
         StepFailure::NoReply, 7},
        {"PSK refused: a WEP-only module", [](sim::Faults& f) { f.refuseRead = {9}; },
         StepFailure::None, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        c.fault(b.model.FaultSettings());
        ASSERT_EQ(b.session.Open(kCom1), ModuleOpen::Opened);
        const SequenceResult r = b.Read();
        EXPECT_EQ(r.failure, c.failure);
        EXPECT_EQ(r.step, c.step);
    }
    Bench wep(sim::ModuleKind::WepOnly);
    ASSERT_EQ(wep.session.Open(kCom1), ModuleOpen::Opened);
    wep.settings.module.mac = "00:1d:c9:10:20:30";  // from a module read before
    EXPECT_TRUE(wep.Read().Succeeded());
    EXPECT_EQ(wep.settings.module.kind, WifiModuleKind::WepOnly);
    EXPECT_EQ(wep.settings.module.mac, "");
    EXPECT_EQ(wep.model.CommandCount(), 11);  // the switch and ten register reads
}

TEST(SaveSequence, EntriesAreCheckedBeforeAnythingIsSent) {
    WifiSettings read;
    read.module.kind = WifiModuleKind::WpaCapable;
    read.m_nKeyFormat[1] = kKeyFormatAscii;
    struct Case {
        const char* name;
        void (*edit)(WifiFormValues&);
        SaveRefusal refusal;
    };
    using R = SaveRefusal;
    const Case cases[] = {
        {"WPA key of 31", [](auto& f) { f.wpaKey.assign(31, 'k'); }, R::None},
        {"WPA key of 32", [](auto& f) { f.wpaKey.assign(32, 'k'); }, R::WpaKeyLength},
        {"WPA key of 7", [](auto& f) { f.wpaKey.assign(7, 'k'); }, R::WpaKeyLength},
        {"40-bit hex of 9", [](auto& f) { f.encryption = 1, f.keyText[0] = "123456789"; },
         R::KeyLengthNotMatched},
        {"40-bit hex of 10", [](auto& f) { f.encryption = 1, f.keyText[0] = "0123456789"; },
         R::None},
        {"104-bit hex of 27", [](auto& f) { f.encryption = 2, f.keyText[0].assign(27, 'A'); },
         R::KeyLengthNotMatched},
        {"40-bit ascii of 6",
         [](auto& f) { f.encryption = 1, f.keyId = 1, f.keyText[1] = "abcdef"; }, R::KeyTooLong},
        {"104-bit ascii of 13",
         [](auto& f) { f.encryption = 2, f.keyId = 1, f.keyText[1].assign(13, 'a'); }, R::None},
        {"no channel", [](auto& f) { f.channel = -1; }, R::NoSelection},
        {"104-bit without its authentication", [](auto& f) { f.encryption = 2, f.auth = -1; },
         R::NoSelection},
        {"WPA without its pair", [](auto& f) { f.wpaCipher = -1; }, R::NoSelection},
        {"no WEP ignores the WPA key", [](auto& f) { f.encryption = 0, f.wpaKey = ""; }, R::None},
    };
    for (const Case& c : cases) {
        WifiFormValues form = NewNetwork();
        c.edit(form);
        EXPECT_EQ(ValidateSave(form, read), c.refusal) << c.name;
    }
    WifiSettings unread;
    EXPECT_EQ(ValidateSave(NewNetwork(), unread), SaveRefusal::NotRead);

    Bench b;
    ASSERT_TRUE(b.OpenAndRead());
    const int commands = b.model.CommandCount();
    WifiFormValues tooLong = NewNetwork();
    tooLong.wpaKey.assign(40, 'k');
    EXPECT_EQ(b.Write(tooLong).refusal, SaveRefusal::WpaKeyLength);
    EXPECT_EQ(b.model.CommandCount(), commands);
}

TEST(SaveSequence, ASaveIsFlashedWithTheKeyDerivedFromThePassphraseAndSsid) {
    Bench b;
    ASSERT_TRUE(b.OpenAndRead());
    const SequenceResult saved = b.Write(NewNetwork());
    ASSERT_TRUE(saved.Succeeded());
    EXPECT_TRUE(saved.flashAnswered);
    const sim::RegisterFile& flash = b.model.State().flash;
    EXPECT_EQ(Bytes(flash[0].begin() + 4, flash[0].begin() + 8), (Bytes{10, 0, 0, 100}));
    const Psk psk = DerivePsk("password", "IEEE");  // its published vector: psk_test
    EXPECT_EQ(Bytes(flash[9].begin() + 4, flash[9].begin() + 36), Bytes(psk.begin(), psk.end()));

    Bench wep(sim::ModuleKind::WepOnly);
    ASSERT_TRUE(wep.OpenAndRead());
    WifiFormValues form = NewNetwork();
    form.encryption = 0;
    const sim::RegisterImage pskBefore = wep.model.State().flash[9];
    const int commands = wep.model.CommandCount();
    ASSERT_TRUE(wep.Write(form).Succeeded());
    EXPECT_EQ(wep.model.CommandCount() - commands, 11);  // unlock, nine writes, flash
    EXPECT_EQ(wep.model.State().flash[9], pskBefore);
}

// Per encryption, asked with channel 11, infrastructure, key 3, Both, WPA2 PSK and AES: the
// option bytes the save packs, and what a read after it shows (what the module holds and what
// ExpectedAfterSave says). WPA without a WPA mode is told by nothing: it reads back as none.
TEST(EncryptionRules, WhatASaveFixesAndWhatItsReadBackShows) {
    using E = Encryption;
    using W = WpaAuthentication;
    using A = Authentication;
    using C = WpaCipher;
    const struct {
        E asked;
        W wpaAsked;
        Bytes options;
        E shown;
        int keyIndex;  // then what the read shows
        A auth;
        W wpa;
        C cipher;
    } cases[] = {
        {E::None, W::Wpa2Psk, {0xB1, 0x48, 0x00}, E::None, 2, A::OpenSystem, W::None, C::None},
        {E::Wep40, W::Wpa2Psk, {0xB1, 0xC9, 0x00}, E::Wep40, 2, A::Both, W::None, C::None},
        {E::Wep104, W::WpaPsk, {0xB1, 0xCA, 0x00}, E::Wep104, 2, A::Both, W::None, C::None},
        {E::Wpa, W::Wpa2Psk, {0xB1, 0x80, 0x14}, E::Wpa, 0, A::SharedKey, W::Wpa2Psk, C::Aes},
        {E::Wpa, W::WpaPsk, {0xB1, 0x80, 0x12}, E::Wpa, 0, A::SharedKey, W::WpaPsk, C::Aes},
        {E::Wpa, W::None, {0xB1, 0x80, 0x10}, E::None, 0, A::SharedKey, W::None, C::Aes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.asked) * 10 + static_cast<int>(c.wpaAsked));
        Bench b;
        ASSERT_TRUE(b.OpenAndRead());
        ModuleSettings asked = b.settings.module;
        asked.channel = 11;
        asked.mode = WifiMode::Infrastructure;
        asked.encryption = c.asked;
        asked.keyIndex = 2;
        asked.auth = A::Both;
        asked.wpaAuth = c.wpaAsked;
        asked.wpaCipher = WpaCipher::Aes;
        asked.passphrase = "passphrase";
        const auto packed = PackOptions(WithEncryptionFixes(asked));
        EXPECT_EQ(Bytes(packed.begin(), packed.end()), c.options);
        ASSERT_TRUE(b.session.Save(asked, {}).Succeeded());
        ModuleSettings after;
        ASSERT_TRUE(b.session.Read(after, {}).Succeeded());
        const ModuleSettings expected = ModuleSession::ExpectedAfterSave(asked);
        for (const ModuleSettings& s : {after, expected}) {
            EXPECT_EQ(s.encryption, c.shown);
            EXPECT_EQ(s.keyIndex, c.keyIndex);
            EXPECT_EQ(s.auth, c.auth);
            EXPECT_EQ(s.wpaAuth, c.wpa);
            EXPECT_EQ(s.wpaCipher, c.cipher);
        }
        EXPECT_EQ(expected.images, after.images);
    }
}

TEST(SaveSequence, ARegisterTheModuleRefusesEndsTheSaveBeforeTheFlash) {
    for (int index = 0; index < kRegisterCount; ++index) {
        Bench b;
        ASSERT_TRUE(b.OpenAndRead());
        b.model.FaultSettings().refuseWrite = {index};
        const sim::RegisterFile before = b.model.State().flash;
        const SequenceResult r = b.Write(NewNetwork());
        EXPECT_EQ(r.failure, StepFailure::NotAcknowledged) << index;
        EXPECT_EQ(r.step, index + 1);
        EXPECT_EQ(r.index, index);
        EXPECT_EQ(b.model.State().flash, before) << index;
        EXPECT_TRUE(b.model.State().ispMode);
    }
}

}  // namespace
}  // namespace tarvek
