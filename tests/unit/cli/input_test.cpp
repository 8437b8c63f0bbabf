// What the tool takes in: values, keys together, profiles and units files.
#include <gtest/gtest.h>

#include "cli/result/outcome.h"
#include "cli/platform/platform.h"
#include "cli/settings/csv_records.h"
#include "cli/settings/profile.h"
#include "cli/settings/raw_bytes.h"
#include "cli/settings/setting_rules.h"
#include "cli/settings/unit_rows.h"
#include "texts/localized_text.h"
#include "cli_bench.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

using testing::Has;
constexpr const char* kRefused = nullptr;
constexpr const char* kAsGiven = "";

TEST(Values, EachKindTakesItsValuesAndRefusesTheRest) {
    const struct {
        const char* key;
        std::string text;
        const char* shown;  // kRefused, kAsGiven or the value as shown
        int keyFormat = -1;
    } cases[] = {
        {"emulation", "ESC/POS", "escpos"},
        {"emulation", "zpl", kRefused},
        {"serial.flow", "XON", "xon-xoff"},
        {"serial.baud", "4800", kRefused},
        {"code-page", "cp_850", "CP_850"},
        {"code-page", "23", "THAI TIS-11"},
        {"code-page", "24", kRefused},
        {"power-save.minutes", "99", kAsGiven},
        {"power-save.minutes", "100", kRefused},
        {"power-save.minutes", "-1", kRefused},
        {"wifi.channel", "0", kRefused},
        {"wifi.channel", "14", kAsGiven},
        {"wifi.ip", "10.0.0.255", kAsGiven},
        {"wifi.ip", "10.0.0", kRefused},
        {"wifi.ip", "10.0.0.256", kRefused},
        {"wifi.ip", "10..0.1", kRefused},
        {"wifi.ip", "1.2.3.4.5", kRefused},
        {"wifi.ssid", std::string(32, 's'), kAsGiven},
        {"wifi.ssid", std::string(33, 's'), kRefused},
        {"wifi.ssid", "a\tb", kRefused},
        {"bluetooth.pin", "1234", kAsGiven},
        {"bluetooth.pin", "", kRefused},
        {"bluetooth.pin", "12\"4", kRefused},
        {"wifi.passphrase", "1234567", kRefused},
        {"wifi.passphrase", std::string(31, 'p'), kAsGiven},
        {"wifi.passphrase", "a passphrase", kAsGiven},
        {"wifi.passphrase", std::string(32, 'p'), kRefused},
        {"wifi.wep.key1", "abcdef0123", kAsGiven, kKeyFormatHex},
        {"wifi.wep.key1", "abcde", kAsGiven, kKeyFormatAscii},
        {"wifi.wep.key1", "abcdefghijklm", kAsGiven, kKeyFormatAscii},
        {"wifi.wep.key1", "abcdefghijklmn", kRefused},
    };
    for (const auto& c : cases) {
        Value value;
        const KeySpec& spec = *FindKey(c.key);
        ASSERT_EQ(ParseValue(spec, c.text, value), c.shown != kRefused) << c.key << "=" << c.text;
        if (c.shown != kRefused) {
            EXPECT_EQ(FormatValue(spec, value), *c.shown ? c.shown : c.text) << c.key;
            EXPECT_EQ(value.keyFormat, c.keyFormat) << c.key << "=" << c.text;
        }
    }
}

TEST(RawBytes, HexPairsInEitherCaseAndTheTextEscapes) {
    Bytes bytes;
    EXPECT_TRUE(ParseHexBytes(" 1c 4A\tfF ", bytes));
    EXPECT_EQ(bytes, (Bytes{0x1C, 0x4A, 0xFF}));
    EXPECT_TRUE(ParseEscapedText(R"(a\r\n\t\\\x1B\x7f)", bytes));
    EXPECT_EQ(bytes, (Bytes{'a', '\r', '\n', '\t', '\\', 0x1B, 0x7F}));
}

// The line the printer answers on once the serial keys are written: each key moves its own field.
// The refusals are the Refusals table's.
TEST(Rules, TheLineAfterTheSerialKeys) {
    const SerialLineSettings now{19200, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr};
    const auto V = [](int number) { return Value{number, "", -1}; };
    const std::pair<Settings, std::vector<int>> cases[] = {
        {{{KeyId::WifiChannel, V(2)}}, {19200, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr}},
        {{{KeyId::SerialBaud, V(9600)}}, {9600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr}},
        {{{KeyId::SerialParity, V(kParityEven)}, {KeyId::SerialDataBits, V(kDataBits7)}},
         {19200, kParityEven, kDataBits7, kStopBits1, kFlowDtrDsr}},
        {{{KeyId::SerialStopBits, V(kStopBits2)}, {KeyId::SerialFlow, V(kFlowXonXoff)}},
         {19200, kParityNone, kDataBits8, kStopBits2, kFlowXonXoff}},
    };
    for (const auto& [settings, expected] : cases) {
        const SerialLineSettings a = LineAfter(now, settings);
        EXPECT_EQ((std::vector<int>{a.baudRate, a.parityIndex, a.dataBitsIndex, a.stopBitsIndex,
                                    a.flowIndex}),
                  expected);
    }
}

// Refused before the port is opened: exit 2, not a byte sent, the reason named (a profile's
// refusals name its file too: "P" stands for the profile given).
TEST(Refusals, BadInputSendsNothingAndSaysWhy) {
    const struct {
        const char* args;
        const char* said;
        const char* profile = nullptr;
    } cases[] = {
        {"set wifi.channel=15", "wifi.channel: \"15\" is not allowed; allowed: 1 to 14"},
        {"set wifi.colour=red", "wifi.colour: no such key"},
        {"set code-page=24",
         "allowed: a code-page name (CP_437, CP_850, ...) or its number 0 to 23"},
        {"set emulation", "\"emulation\" is not KEY=VALUE"},
        {"set wifi.wep.key1=0123456789", "wifi.wep.key1 needs wifi.encryption=40-bit"},
        {"set wifi.encryption=40-bit wifi.wep.key2=0123456789ABCDEF0123456789", "not fit 40-bit"},
        {"set wifi.encryption=none wifi.auth=shared-key", "module always keeps open-system"},
        {"set wifi.encryption=wpa wifi.wpa.auth=none", "needs wpa-psk or wpa2-psk"},
        {"set wifi.encryption=wpa wifi.auth=open-system", "always keeps shared-key"},
        {"set wifi.encryption=104-bit wifi.wpa.auth=wpa2-psk", "always keeps none"},
        {"set serial.data-bits=7", "Data Bits=7, Parity=NONE is not supported"},
        {"set power-save.minutes=5", "needs power-save beside it"},
        {"set emulation=cpcl emulation=escpos", "emulation is given twice"},
        {"set wifi.passphrase=${env:NOPE}", "the environment variable NOPE is not set"},
        {"set bluetooth.pin=se\"cret", "bluetooth.pin: \"***\" is not allowed"},
        {"set bluetooth.pin=12345678901", "bluetooth.pin: \"***\" is not allowed"},
        {"show --baud 4800", "--baud: \"4800\" is not allowed; allowed: 9600, 19200"},
        {"show --wfi", "--wfi"},
        {"send", "one of --hex, --text or --file, with at least one byte"},
        {"send --hex 1C4", "--hex \"1C4\": give pairs of hex digits"},
        {"send --text a\\q", "the escapes are"},
        {"send --text x\\x1b[M\\x01", "nothing was sent (--force sends them)"},
        {"send --hex 1B5B44076620366632620D", "(ISP) mode or write its flash"},
        {"show --port tcp:printer:0", "--port: \"tcp:printer:0\""},
        {"show --port usb:4b8:202", "--port: \"usb:4b8:202\""},
        {"apply P --port COM1 --port COM2", "talks to one printer: give --port once"},
        {"apply P --each --port COM1 --port COM1", "name each once, none of them auto"},
        {"apply P --each --port USB --port usb:04b8:0202", "one USB printer at most"},
        {"set wifi.ssid=x --port tcp:printer", "not over the network (tcp:printer:9100)"},
        {"show --wifi --port tcp:[::1]", "not over the network (tcp:[::1]:9100)"},
        {"profile save P --port tcp:printer", "(profile save: --no-wifi). Nothing was sent."},
        {"profile apply P", "P is not JSON", "{"},
        {"profile apply P", "P is not a Tarvek profile", R"({"tarvek-profile": 2})"},
        {"profile apply P", "P: \"wlan\": no such group", R"({"tarvek-profile": 1, "wlan": {}})"},
        {"profile apply P", "P: wifi.colour: no such key",
         R"({"tarvek-profile": 1, "wifi": {"colour": 1}})"},
        {"profile apply P", "P: wifi.channel: must be a text",
         R"({"tarvek-profile": 1, "wifi": {"channel": true}})"},
        {"profile diff P", "P: wifi.channel: \"15\"",
         R"({"tarvek-profile": 1, "wifi": {"channel": 15}})"},
        {"profile check P", "P: bluetooth.pin: the environment variable X",
         R"({"tarvek-profile": 1, "bluetooth": {"pin": "${env:X}"}})"},
    };
    for (const auto& c : cases) {
        testing::Bench bench;
        std::string args = c.args;
        const std::string file = bench.File("P", c.profile ? c.profile : "");
        if (c.profile) {
            args.replace(args.find(" P"), 2, " " + file);
        }
        EXPECT_EQ(bench.Run(args), kExitBadInput) << c.args;
        std::string said = c.said;
        if (c.profile) {
            said.replace(0, 1, file);
        }
        EXPECT_TRUE(Has(bench.err.str(), said)) << c.args << ": " << bench.err.str();
        EXPECT_FALSE(Has(bench.err.str(), "cret")) << c.args;
        EXPECT_EQ(bench.model.HostByteCount(), 0) << c.args;
    }
}

#ifndef _WIN32
TEST(Language, KoreanWhenTheLocaleSaysSo) {
    for (const char* locale : {"ko_KR.UTF-8", "en_US.UTF-8", ""}) {
        setenv("LC_ALL", locale, 1);
        setenv("LANG", "ko_KR.UTF-8", 1);  // LC_ALL comes first, when set
        EXPECT_EQ(SystemCodePage(), *locale == 'e' ? 0 : texts::kKoreanCodePage) << locale;
    }
    unsetenv("LC_ALL");
    unsetenv("LANG");
    EXPECT_EQ(SystemCodePage(), 0);
}
#endif

// As spreadsheets save it: a byte-order mark and CRLF, ";" or tab separators, quoted cells
// with separators, quotes and line breaks; each record with the line it starts on.
TEST(Units, CsvAsSpreadsheetsSaveIt) {
    using Records = std::vector<std::pair<int, std::vector<std::string>>>;
    const struct {
        const char* text;
        Records records;
    } cases[] = {
        {"\xEF\xBB\xBF# pins\r\nbluetooth.address,bluetooth.pin\r\n\r\nAA , 1111\r\n",
         {{2, {"bluetooth.address", "bluetooth.pin"}}, {4, {"AA", "1111"}}}},
        {"a;b\n1,5;\"2;3\"\n", {{1, {"a", "b"}}, {2, {"1,5", "2;3"}}}},
        {"a\tb\n1,5\t\n", {{1, {"a", "b"}}, {2, {"1,5", ""}}}},
        {"a,b\n\"x, \"\"y\"\"\n# z\",1\n2",
         {{1, {"a", "b"}}, {2, {"x, \"y\"\n# z", "1"}}, {4, {"2"}}}},
    };
    for (const auto& c : cases) {
        std::vector<CsvRecord> records;
        int openLine = 0;
        ASSERT_TRUE(ReadCsvRecords(c.text, records, openLine)) << c.text;
        Records got;
        for (const CsvRecord& record : records) {
            got.emplace_back(record.line, record.cells);
        }
        EXPECT_EQ(got, c.records) << c.text;
    }
}

TEST(Units, HeaderOfKeysRowsOfValuesAndTheAddressColumn) {
    Units units;
    InputError error;
    ASSERT_TRUE(
        ReadUnits("bluetooth.address;bluetooth.pin;wifi.ssid\n"
                  "00:19:01:AA:00:01;1111;floor, east\n00:19:01:aa:00:02;;\n",
                  "u.csv", nullptr, units, error));
    ASSERT_TRUE(units.byAddress);
    const UnitRow* second = RowFor(units, "00:19:01:AA:00:02");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->line, 3);
    EXPECT_TRUE(second->settings.empty());  // empty cells: the profile's values
    EXPECT_EQ(units.rows[0].settings.at(KeyId::WifiSsid).text, "floor, east");
    for (const auto& [text, problem, line] :
         {std::tuple{"wifi.ip\n10.0.0.1,extra\n", Problem::BadUnitsRow, 2},
          {"wifi.ip\n\n\"10.0.0.1\n10.0.0.2\n", Problem::OpenQuote, 3}}) {
        EXPECT_FALSE(ReadUnits(text, "u.csv", nullptr, units, error));
        EXPECT_EQ(error.problem, problem) << text;
        EXPECT_EQ(error.line, line) << text;
    }
}

}  // namespace
}  // namespace tarvek::cli
