// The command set's pure rules: how answers are read, how the minutes text is taken, the test
// page and the code-page names. The bytes of each command are asserted through the session.
#include "printer/printer_commands.h"

#include <gtest/gtest.h>

#include "link/serial_settings.h"
#include "printer/config_label.h"
#include "printer/code_page_table.h"

namespace tarvek {
namespace {

const std::uint8_t* U8(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}
int Size(const std::string& text) {
    return static_cast<int>(text.size());
}

TEST(AnswerRules, AddressLosesQuotesAtBothEndsOnlyAndEndsAtAZeroByte) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"00:11:22:33:44:55\"", "00:11:22:33:44:55"},
        {"\"\"AB\"CD\"\"", "AB\"CD"},
        {"00:11", "00:11"},
        {"\"\"\"", ""},
        {std::string("\"AB\"\0\"junk", 10), "AB"},
        {"\"AB\"\r\n", "AB\"\r\n"},
    };
    for (const auto& [answer, address] : cases) {
        EXPECT_EQ(ParseBluetoothAddress(U8(answer), Size(answer)), address) << answer;
    }
}

TEST(AnswerRules, DiscoverableIsOnWhenTheTextContainsOn) {
    const std::pair<std::string, bool> cases[] = {
        {"\"on\"", true}, {"xxonxx", true}, {"\"off\"", false},
        {"ON", false},    {"", false},      {std::string("o\0n", 3), false},
    };
    for (const auto& [answer, on] : cases) {
        EXPECT_EQ(ParseDiscoverableAnswer(U8(answer), Size(answer)), on) << answer;
    }
}

TEST(PowerSave, MinutesAreTheLeadingSignedNumber) {
    const std::pair<std::string, int> cases[] = {
        {"30", 30},  {"5x", 5},      {"", 0},
        {"?", 0},    {"  \t12", 12}, {"-3", -3},
        {"+7a9", 7}, {"- 3", 0},     {"99999999999999999999", 2147483647},
    };
    for (const auto& [text, minutes] : cases) {
        EXPECT_EQ(ParsePowerSaveMinutes(text), minutes) << text;
    }
}

TEST(SerialLine, AValueOutsideItsTableBuildsNoCommand) {
    EXPECT_TRUE(BuildCpclSerialLines({9600, 3, -1, 0, -1}).empty());
    EXPECT_TRUE(BuildCpclSerialLines({14400, 0, -1, 0, -1}).empty());
    for (const Bytes& refused : {BuildEscPosSerialCommand({14400, 0, 1, 0, 0}),
                                 BuildEscPosSerialCommand({9600, 0, 2, 0, 0}),
                                 BuildEscPosSerialCommand({9600, 3, 1, 0, 0}),
                                 BuildEscPosSerialCommand({9600, 0, 1, 2, 0}),
                                 BuildEscPosSerialCommand({9600, 0, 1, 0, 2})}) {
        EXPECT_TRUE(refused.empty());
    }
}

TEST(CodePage, TestPageIsEightRowsOfSixteenBytesAndSixLineEnds) {
    const Bytes page = BuildCodePageTestPage();
    ASSERT_EQ(page.size(), 188u);
    for (int row = 0; row < 8; ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * 22;
        EXPECT_EQ(Bytes(page.begin() + start, page.begin() + start + 5),
                  (Bytes{0x0D, 0x0A, 0x0D, 0x0A, 0x20}));
        for (int column = 0; column < 16; ++column) {
            EXPECT_EQ(page[start + 5 + column], 0x80 + 16 * row + column);
        }
        EXPECT_EQ(page[start + 21], 0x20);
    }
    for (std::size_t i = 176; i < 188; i += 2) {
        EXPECT_EQ(page[i], 0x0D);
        EXPECT_EQ(page[i + 1], 0x0A);
    }
}

TEST(CodePage, NoNameOutsideTheTable) {
    EXPECT_EQ(CodePageName(-1), nullptr);
    EXPECT_EQ(CodePageName(kCodePageCount), nullptr);
}

// Literal bytes in both emulations: a value's line end prints as "?", never ending its line.
TEST(ConfigLabel, OneFormInCpclPrintDataAndAQrCodeInEscPos) {
    const ConfigLabel label{"T", {{"A", "1"}, {"B", "x\ny\x7F"}}, "Q"};
    ConfigLabel noQr = label;
    noQr.qrText.clear();
    const struct {
        int emulation;
        const ConfigLabel& label;
        std::string bytes;
    } cases[] = {
        {kEmulationCpcl, label,
         "! 0 200 200 270 1\r\nTEXT 7 0 10 10 T\r\nTEXT 7 0 10 40 A: 1\r\n"
         "TEXT 7 0 10 70 B: x?y?\r\nB QR 10 100 M 2 U 6\r\nMA,Q\r\nENDQR\r\nPRINT\r\n"},
        {kEmulationCpcl, noQr,
         "! 0 200 200 110 1\r\nTEXT 7 0 10 10 T\r\nTEXT 7 0 10 40 A: 1\r\n"
         "TEXT 7 0 10 70 B: x?y?\r\nPRINT\r\n"},
        {kEmulationEscPos, label,
         std::string("T\nA: 1\nB: x?y?\n\x1D(k\x03\x00"
                     "1C\x06\x1D(k\x03\x00"
                     "1E1"
                     "\x1D(k\x04\x00"
                     "1P0Q\x1D(k\x03\x00"
                     "1Q0\n\n\n",
                     51)},
        {kEmulationEscPos, noQr, "T\nA: 1\nB: x?y?\n\n\n\n"},
        {kEmulationUnknown, label, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildConfigLabel(c.emulation, c.label), Bytes(c.bytes.begin(), c.bytes.end()))
            << c.bytes;
    }
}

}  // namespace
}  // namespace tarvek
