#include "printer/printer_commands.h"

#include <gtest/gtest.h>

#include "printer/code_page_table.h"
#include "support/fake_link.h"

namespace tarvek {
namespace {

using testing::B;

TEST(SerialConfiguration, CpclLinesCarryBaudParityStopBitsThenApply) {
    const std::vector<std::string> lines = BuildCpclSerialLines(38400, 2, 2);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "! U1 setvar \"comm.baud\" \"38400\"\r\n");
    EXPECT_EQ(lines[1], "! U1 setvar \"comm.parity\" \"e\"\r\n");
    EXPECT_EQ(lines[2], "! U1 setvar \"comm.stop_bits\" \"2\"\r\n");
    EXPECT_EQ(lines[3], "! U1 setvar \"com_apply\"\r\n");
    EXPECT_EQ(BuildCpclSerialLines(9600, 0, 1)[1], "! U1 setvar \"comm.parity\" \"n\"\r\n");
    EXPECT_EQ(BuildCpclSerialLines(9600, 1, 1)[1], "! U1 setvar \"comm.parity\" \"o\"\r\n");
}

TEST(SerialConfiguration, CpclRefusesAParityOutsideItsList) {
    EXPECT_TRUE(BuildCpclSerialLines(19200, -1, 1).empty());
    EXPECT_TRUE(BuildCpclSerialLines(19200, 3, 1).empty());
}

TEST(SerialConfiguration, EscPosCommandIsNineBytesOfDigits) {
    EXPECT_EQ(BuildEscPosSerialCommand(115200, 0, 1, 1, 1),
              (Bytes{0x1D, 0x53, 0x43, 0x01, 0x34, 0x30, 0x31, 0x33, 0x32}));
    EXPECT_EQ(BuildEscPosSerialCommand(9600, 1, 0, 0, 0),
              (Bytes{0x1D, 0x53, 0x43, 0x01, 0x30, 0x31, 0x30, 0x31, 0x31}));
    const int bauds[] = {9600, 19200, 38400, 57600, 115200};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(BuildEscPosSerialCommand(bauds[i], 1, 2, 0, 0)[4], '0' + i) << bauds[i];
    }
    EXPECT_EQ(BuildEscPosSerialCommand(9600, 1, 2, 0, 0)[6], '2');
}

TEST(SerialConfiguration, EscPosRefusesValuesOutsideItsTables) {
    EXPECT_TRUE(BuildEscPosSerialCommand(14400, 1, 0, 0, 0).empty());
    EXPECT_TRUE(BuildEscPosSerialCommand(9600, 2, 0, 0, 0).empty());
    EXPECT_TRUE(BuildEscPosSerialCommand(9600, 1, 3, 0, 0).empty());
    EXPECT_TRUE(BuildEscPosSerialCommand(9600, 1, 0, -1, 0).empty());
    EXPECT_TRUE(BuildEscPosSerialCommand(9600, 1, 0, 0, 2).empty());
}

TEST(Emulation, QueryAndSwitches) {
    EXPECT_EQ(BuildEmulationQuery(), (Bytes{0x1C, 0x45, 0x43}));
    EXPECT_EQ(BuildSetEmulation(kEmulationCpcl), (Bytes{0x1C, 0x45, 0x53, 0x00}));
    EXPECT_EQ(BuildSetEmulation(kEmulationEscPos), (Bytes{0x1C, 0x45, 0x53, 0x01}));
}

TEST(Emulation, OnlyTheLastAnswerByteCounts) {
    struct Case {
        Bytes answer;
        int expected;
    };
    const Case cases[] = {
        {{0x00}, kEmulationCpcl},           {{'0'}, kEmulationCpcl},
        {{0x01}, kEmulationEscPos},         {{'1'}, kEmulationEscPos},
        {{'x', 'y', '0'}, kEmulationCpcl},  {{0x01, 0x00}, kEmulationCpcl},
        {{'0', '\n'}, kNotAnEmulationCode}, {{0x37}, kNotAnEmulationCode},
        {{0x02}, kNotAnEmulationCode},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseEmulationAnswer(c.answer.data(), static_cast<int>(c.answer.size())),
                  c.expected);
    }
    EXPECT_EQ(ParseEmulationAnswer(nullptr, 0), kNotAnEmulationCode);
}

TEST(Bluetooth, CpclCommandsAreGetvarAndSetvarLines) {
    EXPECT_EQ(BuildBluetoothAddressQuery(kEmulationCpcl),
              B("! U1 getvar \"bluetooth.address\"\r\n"));
    EXPECT_EQ(BuildDiscoverableQuery(kEmulationCpcl),
              B("! U1 getvar \"bluetooth.discoverable\"\r\n"));
    EXPECT_EQ(BuildBluetoothPinCommand(kEmulationCpcl, "1234"),
              B("! U1 setvar \"bluetooth.bluetooth_pin\" \"1234\"\r\n"));
    EXPECT_EQ(BuildDiscoverableCommand(kEmulationCpcl, true),
              B("! U1 setvar \"bluetooth.discoverable\" \"on\"\r\n"));
    EXPECT_EQ(BuildDiscoverableCommand(kEmulationCpcl, false),
              B("! U1 setvar \"bluetooth.discoverable\" \"off\"\r\n"));
}

TEST(Bluetooth, EscPosCommandsAreEscBtBytes) {
    EXPECT_EQ(BuildBluetoothAddressQuery(kEmulationEscPos), (Bytes{0x1B, 0x62, 0x74, 0x01, 0x0E}));
    EXPECT_EQ(BuildDiscoverableQuery(kEmulationEscPos), (Bytes{0x1B, 0x62, 0x74, 0x01, 0x56}));
    EXPECT_EQ(BuildDiscoverableCommand(kEmulationEscPos, true),
              (Bytes{0x1B, 0x62, 0x74, 0x01, 0x05}));
    EXPECT_EQ(BuildDiscoverableCommand(kEmulationEscPos, false),
              (Bytes{0x1B, 0x62, 0x74, 0x01, 0x06}));
    EXPECT_EQ(BuildBluetoothPinCommand(kEmulationEscPos, "4321"),
              (Bytes{0x1B, 0x62, 0x74, 0x05, 0x90, '4', '3', '2', '1'}));
    EXPECT_EQ(BuildBluetoothPinCommand(kEmulationEscPos, "0123456789").size(), 15u);
}

TEST(Bluetooth, AddressLosesQuotesAtBothEndsOnly) {
    const auto parse = [](const std::string& text) {
        return ParseBluetoothAddress(reinterpret_cast<const std::uint8_t*>(text.data()),
                                     static_cast<int>(text.size()));
    };
    EXPECT_EQ(parse("\"00:11:22:33:44:55\""), "00:11:22:33:44:55");
    EXPECT_EQ(parse("\"\"AB\"CD\"\""), "AB\"CD");
    EXPECT_EQ(parse("00:11"), "00:11");
    EXPECT_EQ(parse("\"\"\""), "");
    EXPECT_EQ(parse(std::string("\"AB\"\0\"junk", 10)), "AB");
    EXPECT_EQ(parse("\"AB\"\r\n"), "AB\"\r\n");
}

TEST(Bluetooth, DiscoverableIsOnWhenTheAnswerContainsOn) {
    const auto parse = [](const std::string& text) {
        return ParseDiscoverableAnswer(reinterpret_cast<const std::uint8_t*>(text.data()),
                                       static_cast<int>(text.size()));
    };
    EXPECT_TRUE(parse("\"on\""));
    EXPECT_TRUE(parse("xxonxx"));
    EXPECT_FALSE(parse("\"off\""));
    EXPECT_FALSE(parse("ON"));
    EXPECT_FALSE(parse(""));
    EXPECT_FALSE(parse(std::string("o\0n", 3)));
}

TEST(PowerSave, MinutesAreTheLeadingNumber) {
    EXPECT_EQ(ParsePowerSaveMinutes("30"), 30);
    EXPECT_EQ(ParsePowerSaveMinutes("5x"), 5);
    EXPECT_EQ(ParsePowerSaveMinutes(""), 0);
    EXPECT_EQ(ParsePowerSaveMinutes("?"), 0);
    EXPECT_EQ(ParsePowerSaveMinutes("  \t12"), 12);
    EXPECT_EQ(ParsePowerSaveMinutes("-3"), -3);
    EXPECT_EQ(ParsePowerSaveMinutes("+7a9"), 7);
    EXPECT_EQ(ParsePowerSaveMinutes("- 3"), 0);
    EXPECT_EQ(ParsePowerSaveMinutes("99999999999999999999"), 2147483647);
}

TEST(PowerSave, CommandCarriesModeAndLowByteOfMinutes) {
    EXPECT_EQ(BuildPowerSaveCommand(2, 30), (Bytes{0x1D, 0x53, 0x50, 0x02, 0x1E}));
    EXPECT_EQ(BuildPowerSaveCommand(0, 0), (Bytes{0x1D, 0x53, 0x50, 0x00, 0x00}));
    EXPECT_EQ(BuildPowerSaveCommand(1, 5), (Bytes{0x1D, 0x53, 0x50, 0x01, 0x05}));
    EXPECT_EQ(BuildPowerSaveCommand(1, 300), (Bytes{0x1D, 0x53, 0x50, 0x01, 0x2C}));
    EXPECT_EQ(BuildPowerSaveCommand(1, -1), (Bytes{0x1D, 0x53, 0x50, 0x01, 0xFF}));
    EXPECT_TRUE(BuildPowerSaveCommand(-1, 5).empty());
    EXPECT_TRUE(BuildPowerSaveCommand(3, 5).empty());
}

TEST(CodePage, SetCommandIsFsEPAndTheNumber) {
    EXPECT_EQ(BuildSetCodePageCommand(2), (Bytes{0x1C, 0x45, 0x50, 0x02}));
    EXPECT_EQ(BuildSetCodePageCommand(23), (Bytes{0x1C, 0x45, 0x50, 0x17}));
    EXPECT_TRUE(BuildSetCodePageCommand(-1).empty());
    EXPECT_TRUE(BuildSetCodePageCommand(24).empty());
}

TEST(CodePage, TestPageIsEightRowsAndSixLineEnds) {
    const Bytes page = BuildCodePageTestPage();
    ASSERT_EQ(page.size(), 188u);
    EXPECT_EQ(Bytes(page.begin(), page.begin() + 7),
              (Bytes{0x0D, 0x0A, 0x0D, 0x0A, 0x20, 0x80, 0x81}));
    for (int row = 0; row < 8; ++row) {
        const size_t start = static_cast<size_t>(row) * 22;
        EXPECT_EQ(Bytes(page.begin() + start, page.begin() + start + 5),
                  (Bytes{0x0D, 0x0A, 0x0D, 0x0A, 0x20}));
        for (int column = 0; column < 16; ++column) {
            EXPECT_EQ(page[start + 5 + column], 0x80 + 16 * row + column);
        }
        EXPECT_EQ(page[start + 21], 0x20);
    }
    EXPECT_EQ(page[7 * 22 + 5], 0xF0);
    EXPECT_EQ(Bytes(page.begin() + 173, page.begin() + 176), (Bytes{0xFE, 0xFF, 0x20}));
    for (size_t i = 176; i < 188; i += 2) {
        EXPECT_EQ(page[i], 0x0D);
        EXPECT_EQ(page[i + 1], 0x0A);
    }
}

TEST(CodePageTable, NamesByPosition) {
    EXPECT_STREQ(CodePageName(0), "CP_437");
    EXPECT_STREQ(CodePageName(2), "CP_850");
    EXPECT_STREQ(CodePageName(17), "MOZOVIA");
    EXPECT_STREQ(CodePageName(21), "THAI TIS-14");
    EXPECT_STREQ(CodePageName(23), "THAI TIS-11");
    for (int i = 0; i < kCodePageCount; ++i) {
        EXPECT_NE(CodePageName(i), nullptr) << i;
    }
}

TEST(CodePageTable, NoEntryOutsideTheTable) {
    EXPECT_EQ(CodePageName(-1), nullptr);
    EXPECT_EQ(CodePageName(24), nullptr);
    EXPECT_EQ(CodePageName(255), nullptr);
}

}  // namespace
}  // namespace tarvek
