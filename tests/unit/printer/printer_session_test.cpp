// Every exchange of the printer session, byte for byte in both emulations. The expected bytes are
// literal, spelled apart from the engine's tables and from the simulated printer's.
#include "printer/printer_session.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_link.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

using testing::B;
using Operation = std::function<PrinterResult(PrinterSession&)>;

const Bytes kQuery{0x1C, 0x45, 0x43};

struct SessionTest : ::testing::Test {
    testing::VirtualClock clock;
    testing::FakeSerialLink serial{clock};
    testing::FakeUsbLink usb{clock};
    TransportKind kind = TransportKind::Serial;
    PrinterSession session{ChannelSet{serial, usb, kind}, clock};

    void SetUp() override { serial.SetOpen(true); }
    std::vector<Bytes> Written() const {
        std::vector<Bytes> all;
        for (const testing::WrittenChunk& chunk : serial.Writes()) {
            all.push_back(chunk.bytes);
        }
        return all;
    }
};

SerialLineSettings Line(int baud, int parity, int dataBits, int stopBits, int flow) {
    return SerialLineSettings{baud, parity, dataBits, stopBits, flow};
}

// The operations, one factory each, so that a table row fits on a line.
Operation Serial(int baud, int parity, int dataBits, int stopBits, int flow) {
    const SerialLineSettings line = Line(baud, parity, dataBits, stopBits, flow);
    return [line](PrinterSession& s) { return s.SaveSerialConfig(line); };
}
PrinterResult ReadBluetooth(PrinterSession& s) {
    return s.ReadBluetooth();
}
Operation Pin(std::string pin) {
    return [pin](PrinterSession& s) { return s.SavePin(pin); };
}
Operation Discoverable(bool on) {
    return [on](PrinterSession& s) { return s.SaveDiscoverable(on); };
}
Operation PowerSave(int mode, int minutes) {
    return [=](PrinterSession& s) { return s.SavePowerSave(mode, minutes); };
}
Operation CodePage(int index) {
    return [index](PrinterSession& s) { return s.SaveCodePage(index); };
}
Operation Emulation(int emulation) {
    return [emulation](PrinterSession& s) { return s.SetEmulation(emulation); };
}

// A CPCL line, spelled out here apart from the command builders.
Bytes Setvar(const std::string& key, const std::string& value) {
    return B("! U1 setvar \"" + key + "\" \"" + value + "\"\r\n");
}
Bytes Getvar(const std::string& key) {
    return B("! U1 getvar \"" + key + "\"\r\n");
}

TEST_F(SessionTest, EachOperationSendsItsCommandsInThePrintersLanguage) {
    struct Case {
        const char* name;
        std::vector<std::string> answers;  // one per write, from the emulation query on
        Operation operation;
        std::vector<Bytes> written;
        bool closesLink = false;
    };
    const Case cases[] = {
        {"CPCL line",
         {"0"},
         Serial(38400, kParityEven, -1, kStopBits2, -1),
         {kQuery, Setvar("comm.baud", "38400"), Setvar("comm.parity", "e"),
          Setvar("comm.stop_bits", "2"), B("! U1 setvar \"com_apply\"\r\n")},
         true},
        {"ESC/POS 115200 odd 7 2 xon",
         {"\x01"},
         Serial(115200, kParityOdd, kDataBits7, kStopBits2, 1),
         {kQuery, {0x1D, 0x53, 0x43, 0x01, 0x34, 0x30, 0x31, 0x33, 0x32}},
         true},
        {"ESC/POS 9600 none 8 1 dtr",
         {"1"},
         Serial(9600, kParityNone, kDataBits8, kStopBits1, 0),
         {kQuery, {0x1D, 0x53, 0x43, 0x01, 0x30, 0x31, 0x30, 0x31, 0x31}},
         true},
        {"CPCL Bluetooth read",
         {"0", "\"00:11\"", "\"off\""},
         ReadBluetooth,
         {kQuery, Getvar("bluetooth.address"), Getvar("bluetooth.discoverable")}},
        {"ESC/POS Bluetooth read",
         {"\x01", "A", "on"},
         ReadBluetooth,
         {kQuery, {0x1B, 0x62, 0x74, 0x01, 0x0E}, {0x1B, 0x62, 0x74, 0x01, 0x56}}},
        {"CPCL PIN", {"0"}, Pin("1234"), {kQuery, Setvar("bluetooth.bluetooth_pin", "1234")}},
        {"ESC/POS PIN",
         {"1"},
         Pin("4321"),
         {kQuery, {0x1B, 0x62, 0x74, 0x05, 0x90, '4', '3', '2', '1'}}},
        {"CPCL on", {"0"}, Discoverable(true), {kQuery, Setvar("bluetooth.discoverable", "on")}},
        {"CPCL off", {"0"}, Discoverable(false), {kQuery, Setvar("bluetooth.discoverable", "off")}},
        {"ESC/POS on", {"1"}, Discoverable(true), {kQuery, {0x1B, 0x62, 0x74, 0x01, 0x05}}},
        {"ESC/POS off", {"1"}, Discoverable(false), {kQuery, {0x1B, 0x62, 0x74, 0x01, 0x06}}},
        {"power save 30 min", {"0"}, PowerSave(2, 30), {kQuery, {0x1D, 0x53, 0x50, 0x02, 0x1E}}},
        {"power off: 300's low byte",
         {"1"},
         PowerSave(1, 300),
         {kQuery, {0x1D, 0x53, 0x50, 0x01, 0x2C}}},
        {"code page 23, no query", {}, CodePage(23), {{0x1C, 0x45, 0x50, 0x17}}},
        {"set CPCL", {}, Emulation(kEmulationCpcl), {{0x1C, 0x45, 0x53, 0x00}}, true},
        {"set ESC/POS", {}, Emulation(kEmulationEscPos), {{0x1C, 0x45, 0x53, 0x01}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        serial.SetOpen(true);
        serial.ClearWrites();
        for (const std::string& answer : c.answers) {
            serial.QueueAnswer(answer);
        }
        const PrinterResult result = c.operation(session);
        EXPECT_TRUE(result.Ok());
        EXPECT_FALSE(result.writeFailed);
        EXPECT_EQ(Written(), c.written);
        EXPECT_EQ(serial.IsOpen(), !c.closesLink);
    }
}

// The operations that ask for the emulation first, and send nothing more when it fails.
const std::pair<const char*, Operation> kQueryingOperations[] = {
    {"query", [](PrinterSession& s) { return s.QueryEmulation(); }},
    {"serial", Serial(9600, 0, 1, 0, 0)},
    {"bluetooth", ReadBluetooth},
    {"pin", Pin("1")},
    {"discoverable", Discoverable(true)},
    {"power save", PowerSave(1, 5)},
};

TEST_F(SessionTest, ASilentPrinterIsGivenUpAfter201EmptyReadsAnd200Pauses) {
    for (const auto& [name, operation] : kQueryingOperations) {
        SCOPED_TRACE(name);
        serial.ClearWrites();
        serial.ClearReadCounts();
        clock.ClearSleeps();
        const PrinterResult r = operation(session);
        EXPECT_EQ(r.failure, PrinterFailure::NoAnswer);
        EXPECT_EQ(Written(), std::vector<Bytes>{kQuery});
        EXPECT_EQ(serial.EmptyReads(), 201);
        EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(200, 10));
        EXPECT_TRUE(serial.IsOpen());
    }
}

TEST_F(SessionTest, OnlyTheLastByteOfTheAnswerIsJudged) {
    const std::pair<std::string, int> answers[] = {
        {"xy0", kEmulationCpcl},    {std::string("\x01\x00", 2), kEmulationCpcl},
        {"1", kEmulationEscPos},    {std::string(1, '\0'), kEmulationCpcl},
        {"0\n", kEmulationUnknown}, {"7", kEmulationUnknown},
    };
    for (const auto& [answer, emulation] : answers) {
        serial.QueueAnswer(answer);
        const PrinterResult r = session.QueryEmulation();
        EXPECT_EQ(r.emulation, emulation) << answer;
        EXPECT_EQ(r.failure, emulation == kEmulationUnknown ? PrinterFailure::NotAnEmulationCode
                                                            : PrinterFailure::None);
    }
    serial.ClearWrites();
    serial.QueueAnswer("\n");
    EXPECT_EQ(session.SavePin("1").failure, PrinterFailure::NotAnEmulationCode);
    EXPECT_EQ(Written(), std::vector<Bytes>{kQuery});
}

TEST_F(SessionTest, AnswerThatStopsBetweenTheTwoBluetoothReads) {
    serial.QueueAnswer("0");
    serial.QueueAnswer("AB");
    const BluetoothResult r = session.ReadBluetooth();
    EXPECT_EQ(r.failure, PrinterFailure::NoAnswer);
    EXPECT_TRUE(r.addressRead);
    EXPECT_EQ(r.address, "AB");
    EXPECT_EQ(r.discoverable, -1);
}

TEST_F(SessionTest, ValuesOutsideTheirTablesAreRefusedBeforeTheyAreSent) {
    const std::pair<const char*, Operation> refusals[] = {
        {"quote in PIN", Pin("12\"34")},         {"line end in PIN", Pin("12\r\n! U1")},
        {"long PIN", Pin(std::string(11, '1'))}, {"power mode 3", PowerSave(3, 5)},
        {"code page 24", CodePage(24)},          {"emulation 2", Emulation(2)},
    };
    for (const auto& [name, operation] : refusals) {
        EXPECT_EQ(operation(session).failure, PrinterFailure::BadValue) << name;
    }
    EXPECT_TRUE(Written().empty());
    // A line setting the printer's language has no table for: only the query went out.
    serial.QueueAnswer("1");
    EXPECT_EQ(session.SaveSerialConfig(Line(9600, 0, -1, 0, 0)).failure, PrinterFailure::BadValue);
    serial.QueueAnswer("0");
    EXPECT_EQ(session.SaveSerialConfig(Line(9600, 0, 1, 2, 0)).failure, PrinterFailure::BadValue);
    EXPECT_EQ(Written(), (std::vector<Bytes>{kQuery, kQuery}));
    EXPECT_TRUE(serial.IsOpen());
}

TEST_F(SessionTest, CodePageWaitsForThePrinterAndWritesThatFailAreNotedNotActedOn) {
    serial.SetOpen(false);
    const PrinterResult r = session.SaveCodePage(2);
    EXPECT_TRUE(r.Ok());
    EXPECT_TRUE(r.writeFailed);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{100});
    EXPECT_TRUE(session.SetEmulation(kEmulationCpcl).writeFailed);
}

TEST_F(SessionTest, ClosingRightAfterAPinKeepsTheLineSilentUntilThePinHasEnded) {
    serial.QueueAnswer("1");
    ASSERT_TRUE(session.SavePin("4321").Ok());
    clock.ClearSleeps();
    session.Close();  // a USB link's close would send a byte of its own
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{100});
}

TEST_F(SessionTest, OpenChoosesTheLinkClosesAFailedOneAndKeepsItWhenTheQueryFails) {
    serial.SetOpen(false);
    serial.openResult = -1;
    const PortRequest com{TransportKind::Serial, "COM3", Line(19200, 0, 1, 0, 0)};
    EXPECT_EQ(session.Open(com).failure, PrinterFailure::OpenFailed);
    EXPECT_EQ(serial.lastOpen.port, "COM3");
    EXPECT_EQ(serial.Closes(), 1);
    EXPECT_FALSE(session.IsLinkOpen());

    serial.openResult = 0;
    EXPECT_EQ(session.Open(com).failure, PrinterFailure::NoAnswer);
    EXPECT_TRUE(session.IsLinkOpen());
    serial.QueueAnswer("1");
    const PrinterResult again = session.Open(com);  // the link left open is closed first
    EXPECT_EQ(serial.Closes(), 2);
    EXPECT_EQ(again.emulation, kEmulationEscPos);

    usb.openResult = 1;
    EXPECT_EQ(session.Open({TransportKind::Usb, "USB", {}}).failure, PrinterFailure::OpenFailed);
    EXPECT_EQ(kind, TransportKind::Usb);
    EXPECT_EQ(usb.Closes(), 1);
}

}  // namespace
}  // namespace tarvek
