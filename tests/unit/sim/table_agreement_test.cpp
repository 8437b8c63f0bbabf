// The engine's tables against the simulated printer's own, by meaning: every command the engine
// builds from an entry is one the printer takes for that same setting, and the two sides have
// the same entries. A wrong entry on either side fails here.
#include <gtest/gtest.h>

#include <cstdlib>

#include "printer/code_page_table.h"
#include "printer/printer_commands.h"
#include "sim/code_pages.h"
#include "sim/image_check.h"
#include "sim/line_codes.h"
#include "sim/printer_model.h"
#include "wifimodule/module_settings.h"

namespace tarvek {
namespace {

// The printer taking one command at a time, each after a pause that ends it.
struct Printer {
    sim::PrinterModel model;
    std::uint32_t nowMs = 1000;

    explicit Printer(int emulation) { model.State().emulation = emulation; }
    Bytes Send(const Bytes& command) {
        model.Feed(command, nowMs);
        nowMs += 1000;
        return model.Collect(nowMs);
    }
    Bytes Send(const std::string& text) { return Send(Bytes(text.begin(), text.end())); }
};

// The simulator's field that keeps the same member of a line as the engine's.
sim::SerialField SimFieldOf(const LineFieldSpec& spec) {
    for (const sim::SerialField field : sim::kSerialFieldsInCommandOrder) {
        if (sim::CodesOf(field).member == spec.member) {
            return field;
        }
    }
    ADD_FAILURE() << "no field of the simulator keeps this member";
    return sim::SerialField::Baud;
}

TEST(TableAgreement, EveryLineValueIsTakenForItselfInBothLanguages) {
    const SerialLineSettings base{9600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr};
    const SerialLineSettings nothing{0, -1, -1, -1, -1};  // so that a refused command shows
    for (const LineFieldSpec& spec : kLineFields) {
        const sim::SerialFieldCodes& codes = sim::CodesOf(SimFieldOf(spec));
        EXPECT_EQ(codes.end - codes.begin, spec.values.size());
        for (const PrinterValue& value : spec.values) {
            SCOPED_TRACE(value.name);
            SerialLineSettings line = base;
            line.*spec.member = value.number;
            Printer escPos(kEmulationEscPos);
            escPos.model.State().serial = nothing;
            escPos.Send(BuildEscPosSerialCommand(line));
            const SerialLineSettings& taken = escPos.model.State().serial;
            for (const LineFieldSpec& other : kLineFields) {
                EXPECT_EQ(taken.*other.member, line.*other.member);
            }
            Printer cpcl(kEmulationCpcl);
            cpcl.model.State().serial = nothing;
            for (const std::string& text : BuildCpclSerialLines(line)) {
                cpcl.Send(text);
            }
            for (const LineFieldSpec& o : kLineFields) {
                const int expected = o.cpclVariable != nullptr ? line.*o.member : nothing.*o.member;
                EXPECT_EQ(cpcl.model.State().serial.*o.member, expected);
            }
        }
    }
}

TEST(TableAgreement, EmulationsSwitchAndAnswerAsTheEngineNamesThem) {
    EXPECT_EQ(sim::EmulationOfCode(2), nullptr);
    for (const PrinterValue& value : kEmulations) {
        SCOPED_TRACE(value.name);
        const sim::EmulationCode* simulated = sim::EmulationOf(value.number);
        ASSERT_NE(simulated, nullptr);
        EXPECT_STREQ(simulated->name, value.name);
        Printer p(value.number == kEmulationCpcl ? kEmulationEscPos : kEmulationCpcl);
        p.Send(BuildSetEmulation(value.number));
        EXPECT_EQ(p.model.State().emulation, value.number);
        for (const auto form :
             {sim::EmulationAnswerForm::Binary, sim::EmulationAnswerForm::Ascii}) {
            p.model.State().answerForm = form;
            const Bytes answer = p.Send(BuildEmulationQuery());
            EXPECT_EQ(ParseEmulationAnswer(answer.data(), static_cast<int>(answer.size())),
                      value.number);
        }
    }
}

TEST(TableAgreement, BluetoothCommandsAreTakenAndAnsweredInBothEmulations) {
    for (const int emulation : {kEmulationEscPos, kEmulationCpcl}) {
        SCOPED_TRACE(emulation);
        Printer p(emulation);
        p.model.State().bluetoothAddress = "00:11:22:AA:BB:CC";
        const Bytes address = p.Send(BuildBluetoothAddressQuery(emulation));
        EXPECT_EQ(ParseBluetoothAddress(address.data(), static_cast<int>(address.size())),
                  "00:11:22:AA:BB:CC");
        for (const bool on : {false, true}) {
            p.Send(BuildDiscoverableCommand(emulation, on));
            EXPECT_EQ(p.model.State().discoverable, on);
            const Bytes answer = p.Send(BuildDiscoverableQuery(emulation));
            EXPECT_EQ(ParseDiscoverableAnswer(answer.data(), static_cast<int>(answer.size())), on);
        }
        const Bytes pin = BuildBluetoothPinCommand(emulation, "4321");
        EXPECT_EQ(IsOpenEnded(pin), emulation == kEmulationEscPos);
        p.Send(pin);
        EXPECT_EQ(p.model.State().bluetoothPin, "4321");
    }
}

TEST(TableAgreement, PowerSaveModesAndCodePagesAreTheEnginesOwn) {
    EXPECT_EQ(sim::PowerSaveModeOf(kPowerSaveModeCount), nullptr);
    for (const PrinterValue& mode : kPowerSaveModes) {
        Printer p(kEmulationEscPos);
        p.model.State().powerSaveMode = -1;
        p.Send(BuildPowerSaveCommand(mode.number, 30));
        const sim::PowerSaveMode* taken =
            sim::PowerSaveModeOf(static_cast<std::uint8_t>(p.model.State().powerSaveMode));
        ASSERT_NE(taken, nullptr) << mode.name;
        EXPECT_STREQ(taken->name, mode.name);
        EXPECT_EQ(p.model.State().powerSaveMinutes, 30);
    }
    EXPECT_EQ(sim::CodePageAt(kCodePageCount), nullptr);
    for (int number = 0; number < kCodePageCount; ++number) {
        ASSERT_NE(sim::CodePageAt(number), nullptr) << number;
        EXPECT_STREQ(sim::CodePageAt(number)->name, CodePageName(number));
        Printer p(kEmulationCpcl);
        p.model.State().codePage = -1;
        p.Send(BuildSetCodePageCommand(number));
        EXPECT_EQ(p.model.State().codePage, number);
    }
}

// Settings that fill every data byte the engine writes.
ModuleSettings FullSettings() {
    ModuleSettings s;
    s.addresses.fill(0xFFFFFFFFu);
    s.ssid.assign(kModuleTextBytes, 'S');
    s.passphrase.assign(kModuleTextBytes, 'P');
    s.mode = static_cast<WifiMode>(15);
    s.channel = 15;
    s.keyIndex = 3;
    s.auth = static_cast<Authentication>(3);
    s.wpaCipher = static_cast<WpaCipher>(3);
    for (auto& key : s.wep40) {
        key.fill(0xFF);
    }
    for (auto& key : s.wep104) {
        key.fill(0xFF);
    }
    return s;
}

// Data that fills a register the module keeps: letters, and for 09 00 option bits the engine
// reads back as they are (infrastructure, channel 6; key 2; WPA2, AES).
Bytes Filling(int index) {
    Bytes data(static_cast<std::size_t>(sim::LayoutOf(index)->dataBytes));
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>('A' + i % 26);
    }
    return index == kOptionsRegister ? Bytes{0x61, 0x44, 0x14} : data;
}

TEST(TableAgreement, TheModuleTakesAndGivesEveryRegisterAsTheEngineMapsIt) {
    ASSERT_EQ(sim::kRegisterCount, kRegisterCount);
    Printer p(kEmulationEscPos);
    p.Send(BuildIspModeSwitch(true));
    p.Send(BuildCommandFrame(kUnlockCommand));
    ModuleSettings read;
    for (int index = 0; index < kRegisterCount; ++index) {
        SCOPED_TRACE(index);
        const ModuleRegister* reg = RegisterAt(index);
        const sim::RegisterLayout* layout = sim::LayoutOf(index);
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(std::atoi(reg->group), layout->group);  // their spelling: the commands below
        EXPECT_EQ(std::atoi(reg->number), layout->number);
        EXPECT_EQ(reg->imageLength, layout->imageLength);
        // The engine writes no data where the module keeps none, and the module takes it.
        const Bytes image = BuildRegisterImage(index, FullSettings());
        ASSERT_EQ(image.size(), static_cast<std::size_t>(layout->imageLength));
        for (int at = sim::kImageDataOffset + layout->dataBytes; at < layout->imageLength - 2;
             ++at) {
            EXPECT_EQ(image[at], 0) << "byte " << at;
        }
        const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        p.Send(BuildCommandFrame(BuildWriteCommandPrefix(index) + payload));
        EXPECT_EQ(p.model.State().working[index], image);
        // The engine reads the module's data where the module keeps it (the key only as its image).
        const Bytes kept = sim::MakeRegisterImage(index, Filling(index));
        p.model.State().working[index] = kept;
        const Bytes reply = p.Send(BuildCommandFrame(BuildReadCommand(index)));
        ASSERT_EQ(
            ParseReply(index, reply.data(), static_cast<int>(reply.size()), ReplyMode::Read, read),
            0);
        EXPECT_EQ(index == kPskRegister ? read.images[index] : BuildRegisterImage(index, read),
                  kept);
    }
    p.model.State().mac = {{0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x0A}};
    const Bytes mac = p.Send(BuildCommandFrame(BuildReadCommand(kMacQueryIndex)));
    ASSERT_EQ(
        ParseReply(kMacQueryIndex, mac.data(), static_cast<int>(mac.size()), ReplyMode::Read, read),
        0);
    EXPECT_EQ(read.mac, "de:ad:be:ef:01:0a");
    p.Send(BuildCommandFrame(kFlashCommand));
    EXPECT_EQ(p.model.State().flash, p.model.State().working);
    p.Send(BuildIspModeSwitch(false));
    EXPECT_FALSE(p.model.State().ispMode);
}

}  // namespace
}  // namespace tarvek
