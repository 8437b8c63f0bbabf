// The simulated printer as the printer session meets it, on the virtual clock: every setting it
// takes, the way it answers, and each misbehaviour it can be told to show.
#include <gtest/gtest.h>

#include "printer/printer_session.h"
#include "sim/simulated_link.h"
#include "support/virtual_clock.h"
#include "wifimodule/module_session.h"

namespace tarvek::sim {
namespace {

const SerialLineSettings k9600{9600, kParityNone, kDataBits8, kStopBits2, kFlowDtrDsr};

struct Printer {
    testing::VirtualClock clock;
    PrinterModel model;
    SimulatedSerialLink serial{model, clock};
    SimulatedUsbLink usb{model, clock};
    TransportKind kind = TransportKind::Serial;
    PrinterSession session{ChannelSet{serial, usb, kind}, clock};

    explicit Printer(int emulation = kEmulationEscPos, Faults faults = {}) {
        model.State().emulation = emulation;
        model.State().serial = k9600;
        model.FaultSettings() = faults;
    }
    PrinterResult Open(const SerialLineSettings& line = k9600) {
        return session.Open({TransportKind::Serial, "COM1", line});
    }
};

// The settings' own commands reach the printer through the dialog tests; here what they do not
// show: the page ends where the next command begins, and a new line is the only one heard.
TEST(SimulatedPrinter, APageEndsAtTheNextCommandAndTheNewLineIsTheOnlyOneHeard) {
    for (int emulation : {kEmulationEscPos, kEmulationCpcl}) {
        SCOPED_TRACE(emulation);
        Printer p(emulation);
        ASSERT_EQ(p.Open().emulation, emulation);
        ASSERT_TRUE(p.session.SaveCodePage(5).Ok());
        ASSERT_TRUE(p.session.PrintCodePage().Ok());
        const SerialLineSettings line{38400, kParityEven, kDataBits8, kStopBits1, 0};
        ASSERT_TRUE(p.session.SaveSerialConfig(line).Ok());
        const PrinterState& s = p.model.State();
        ASSERT_EQ(s.pages.size(), 1u);
        EXPECT_EQ(s.pages[0].codePage, 5);
        EXPECT_EQ(s.pages[0].bytes.size(), 188u);
        EXPECT_EQ(p.Open().failure, PrinterFailure::NoAnswer);
        EXPECT_TRUE(p.Open(line).Ok());
    }
}

TEST(SimulatedPrinter, AnswersTheQueryInEitherFormAFewMillisecondsAfterTheCommand) {
    Printer p(kEmulationCpcl);
    p.model.State().answerForm = EmulationAnswerForm::Ascii;
    EXPECT_EQ(p.Open().emulation, kEmulationCpcl);
    p.model.Feed(Bytes{0x1C, 'x'}, 400);  // no command: FS is dropped, "x" is print data
    p.model.Feed(BuildEmulationQuery(), 500);
    EXPECT_TRUE(p.model.Collect(500 + kAnswerDelayMs - 1).empty());
    EXPECT_EQ(p.model.Collect(500 + kAnswerDelayMs), (Bytes{'0'}));
    EXPECT_EQ(p.model.CommandCount(), 3);  // the open's query, "x", this query; no preamble
}

TEST(SimulatedPrinter, APinTakesEveryByteUntilThePauseThatEndsIt) {
    PrinterModel model;  // ESC/POS
    model.SetCommandPauseMs(30);
    model.Feed(Bytes{0x1B, 'b', 't', 0x05, 0x90, '4', '3', '2', '1', 0x1C, 'E', 'C'}, 100);
    std::uint32_t wakeMs = 0;  // the serving loop sleeps until the pause is over
    EXPECT_EQ(model.NextEventMs(wakeMs) ? wakeMs : 0u, 130u);
    model.Advance(129);
    EXPECT_EQ(model.State().bluetoothPin, "0000");  // not ended yet
    EXPECT_TRUE(model.Collect(130).empty());        // the query went into the PIN: no answer
    EXPECT_EQ(model.State().bluetoothPin, "4321\034EC");
}

TEST(SimulatedPrinter, MisbehavesAsItIsTold) {
    struct Case {
        const char* name;
        Faults faults;
        PrinterFailure failure;
    };
    // (Silence, garbage and a byte count to die after are every front end's tests' faults.)
    Faults silentAfterOne, late, lateTooLong, pieces;
    silentAfterOne.silentAfterCommands = 2;  // the port's query and Bluetooth's
    late.lateMs = 1800;
    lateTooLong.lateMs = 2100;
    pieces.pieces = 3;
    pieces.pieceGapMs = 40;
    const Case cases[] = {
        {"silent after two", silentAfterOne, PrinterFailure::NoAnswer},
        {"late within the limit", late, PrinterFailure::None},
        {"late past the limit", lateTooLong, PrinterFailure::NoAnswer},
        {"in pieces", pieces, PrinterFailure::None},
    };
    for (const Case& c : cases) {
        Printer p(kEmulationCpcl);
        ASSERT_TRUE(p.Open().Ok());
        p.model.FaultSettings() = c.faults;
        EXPECT_EQ(p.session.ReadBluetooth().failure, c.failure) << c.name;
    }
}

// The Bluetooth address (17 bytes) in three pieces: 5 ms after the command, then 40 ms apart.
TEST(SimulatedPrinter, AnswerPiecesLeaveTheirGapApart) {
    PrinterModel model;
    model.FaultSettings().pieces = 3;
    model.FaultSettings().pieceGapMs = 40;
    model.Feed(Bytes{0x1B, 'b', 't', 0x01, 0x0E}, 100);
    std::vector<std::uint32_t> times;
    for (std::uint32_t at = 0; model.NextEventMs(at); model.CollectChunks(at)) {
        times.push_back(at);
    }
    EXPECT_EQ(times, (std::vector<std::uint32_t>{105, 145, 185}));
}

TEST(SimulatedPrinter, UsbDeviceGoesAwayAndComesBack) {
    Faults faults;
    faults.usbGoneAfterCommands = 2;
    faults.usbGoneForMs = 5000;
    Printer p(kEmulationEscPos, faults);
    EXPECT_TRUE(p.session.Open({TransportKind::Usb, "USB", {}}).Ok());
    EXPECT_EQ(p.session.QueryEmulation().failure, PrinterFailure::NoAnswer);
    p.clock.Advance(3000);
    EXPECT_TRUE(p.session.QueryEmulation().Ok());
    p.session.Close();
    EXPECT_EQ(p.usb.Writes().back().bytes, (Bytes{0x00}));  // the closing byte
    p.model.SetUsbPresent(false);
    EXPECT_EQ(p.session.Open({TransportKind::Usb, "USB", {}}).failure, PrinterFailure::OpenFailed);
}

TEST(SimulatedModule, UnflashedWritesAreLostOnLeavingIspModeAndAbsentModulesAnswerNothing) {
    Printer p;
    ModuleSession module(ChannelSet{p.serial, p.usb, p.kind}, p.clock);
    ASSERT_EQ(module.Open({TransportKind::Serial, "COM1", k9600}), ModuleOpen::Opened);
    WifiModuleProtocol protocol(ChannelSet{p.serial, p.usb, p.kind}, p.clock);
    ModuleReply reply;
    ModuleSettings settings;
    const Bytes image = MakeRegisterImage(4, {'n', 'e', 'w'});
    protocol.UnlockRegisters(reply);
    ASSERT_GT(protocol.WriteRegister(4, EncodeHexPayload(image.data(), 40), reply), 0);
    EXPECT_EQ(p.model.State().working[4], image);
    module.Close();
    ASSERT_EQ(module.Open({TransportKind::Serial, "COM1", k9600}), ModuleOpen::Opened);
    ASSERT_TRUE(module.Read(settings, {}).Succeeded());
    EXPECT_EQ(settings.ssid, "tarvek");
    module.Close();

    ASSERT_TRUE(p.Open().Ok());  // the printer's port, the module not in ISP mode: no answer
    EXPECT_EQ(protocol.ReadRegister(0, reply), 0);
    p.session.Close();
    p.model.State().moduleKind = ModuleKind::Absent;
    EXPECT_EQ(module.Open({TransportKind::Serial, "COM1", k9600}), ModuleOpen::NoIspReply);
}

}  // namespace
}  // namespace tarvek::sim
