// Writing, reading back and failing: whole verbs against the simulated printer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "cli/result/outcome.h"
#include "cli/session/trace.h"
#include "cli_bench.h"
#include "wifimodule/psk.h"

namespace tarvek::cli {
namespace {

using sim::MakeRegisterImage;
using testing::Bench;
using testing::Has;

std::string Read(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Apply, EveryPrinterSettingLandsAndTheLineAndEmulationComeLast) {
    Bench bench;
    ASSERT_EQ(bench.Run("set bluetooth.pin=4321 bluetooth.discoverable=off power-save=power-save "
                        "power-save.minutes=30 code-page=CP_850 serial.baud=9600 "
                        "serial.stop-bits=2 serial.flow=xon emulation=cpcl"),
              kExitDone)
        << bench.err.str();
    const sim::PrinterState& s = bench.model.State();
    EXPECT_EQ(s.bluetoothPin, "4321");
    EXPECT_FALSE(s.discoverable);
    EXPECT_EQ(s.powerSaveMode * 100 + s.powerSaveMinutes, 230);
    EXPECT_EQ(s.codePage, 2);
    EXPECT_EQ(s.serial.baudRate, 9600);
    EXPECT_EQ(s.serial.stopBitsIndex, kStopBits2);
    EXPECT_EQ(s.serial.flowIndex, kFlowXonXoff);  // sent in ESC/POS, before the switch
    EXPECT_EQ(s.emulation, kEmulationCpcl);
    // The port is opened again (its preamble) only a while after a command without an answer.
    const auto& writes = bench.serial.Writes();
    int reopened = 0;
    for (std::size_t i = 1; i < writes.size(); ++i) {
        const Bytes& before = writes[i - 1].bytes;
        if (writes[i].bytes == Bytes{0, 0} && (before[0] == 0x1D || before[1] == 'E')) {
            EXPECT_GE(writes[i].atMs - writes[i - 1].atMs, 200u) << i;
            ++reopened;
        }
    }
    EXPECT_EQ(reopened, 2);  // after the line and after the emulation
    EXPECT_TRUE(Has(bench.out.str(),
                    "(the printer does not report them): power-save, "
                    "power-save.minutes, code-page, bluetooth.pin, serial.flow"))
        << bench.out.str();
}

TEST(Apply, ExactlyTheWepKeysAskedForChange) {
    Bench bench;
    Bytes keys40, keys104(52, 0x77);
    for (int i = 0; i < 20; ++i) {
        keys40.push_back(static_cast<std::uint8_t>(0xA0 + i));
    }
    sim::PrinterState& s = bench.model.State();
    s.flash[6] = s.working[6] = MakeRegisterImage(6, keys40);
    s.flash[7] = s.working[7] = MakeRegisterImage(7, keys104);
    // Key 2 is the key in use; key 3 is written too, as characters.
    ASSERT_EQ(bench.Run("set wifi.encryption=40-bit wifi.key-id=2 wifi.auth=both "
                        "wifi.wep.key2=1122334455 wifi.wep.key3=abc"),
              kExitDone)
        << bench.err.str();
    Bytes expected = keys40;
    const Bytes key2{0x11, 0x22, 0x33, 0x44, 0x55}, key3{'a', 'b', 'c', 0, 0};
    std::copy(key2.begin(), key2.end(), expected.begin() + 5);
    std::copy(key3.begin(), key3.end(), expected.begin() + 10);
    EXPECT_EQ(s.flash[6], MakeRegisterImage(6, expected));
    EXPECT_EQ(s.flash[7], MakeRegisterImage(7, keys104));
    // The profile's characters are the printer's bytes, however each side writes them.
    EXPECT_EQ(bench.Run("profile diff " + bench.File("k.json", R"({"tarvek-profile": 1, "wifi":
        {"encryption": "40-bit", "key-id": 2, "wep.key2": "1122334455", "wep.key3": "abc"}})")),
              kExitDone)
        << bench.out.str();
}

// A value that did not take is a failure, named: each row loses one command on the way.
TEST(Apply, ReadBackNamesWhatDidNotTake) {
    const struct {
        Bytes lost;
        const char* args;
        const char* named;
    } cases[] = {
        {BuildCommandFrame(kFlashCommand), "set wifi.ssid=elsewhere",
         "wifi.ssid: wanted elsewhere"},
        {{0x1B, 'b', 't', 0x01, 0x06}, "set bluetooth.discoverable=off", "bluetooth.discoverable"},
        {{0x1C, 'E', 'S'},
         "set emulation=cpcl",
         "emulation: wanted cpcl, the printer reports escpos"},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.link.drop = c.lost;
        EXPECT_EQ(bench.Run(c.args), kExitRefused) << c.args;
        EXPECT_TRUE(Has(bench.err.str(), c.named)) << bench.err.str();
        EXPECT_TRUE(Has(bench.err.str(), "(step: read-back)")) << bench.err.str();
    }
}

TEST(Apply, FailuresGiveTheirExitCodeAndMessage) {
    using Setup = void (*)(sim::PrinterModel&);
    const Setup silent = [](sim::PrinterModel& m) { m.FaultSettings().silent = true; };
    const Setup cpcl = [](sim::PrinterModel& m) { m.State().emulation = kEmulationCpcl; };
    const struct {
        Setup setup;
        const char* args;
        int exit;
        const char* said;
    } cases[] = {
        {nullptr, "show --port \\\\.\\com9", kExitPort,
         "port(COM9) is already occupied in windows printer driver(Label Writer)"},
        {[](sim::PrinterModel& m) { m.SetUsbPresent(false); }, "show --port usb", kExitPort,
         "USB Port Open Failed"},
        {silent, "show", kExitNoAnswer, "No Response in printer"},
        {silent, "--lang ko show", kExitNoAnswer, "프린터 응답이 없습니다"},
        {[](sim::PrinterModel& m) { m.FaultSettings().garbage = true; }, "show", kExitRefused,
         "Failed to read emulation"},
        {[](sim::PrinterModel& m) { m.State().moduleKind = sim::ModuleKind::Absent; },
         "show --wifi", kExitNoAnswer, "ISP Mode Set Failed (step: wifi open)"},
        {[](sim::PrinterModel& m) { m.FaultSettings().refuseWrite = {4}; }, "set wifi.ssid=x",
         kExitRefused, "Set SSID Syntex Error (step: wifi write)"},
        {[](sim::PrinterModel& m) { m.State().moduleKind = sim::ModuleKind::WepOnly; },
         "set wifi.encryption=wpa wifi.wpa.auth=wpa-psk wifi.passphrase=12345678", kExitBadInput,
         "this Wi-Fi module is WEP only"},
        {[](sim::PrinterModel& m) { m.State().working[5] = MakeRegisterImage(5, {0x01}); },
         "set wifi.ssid=x", kExitBadInput, "module holds a mode, channel"},  // channel 0
        {nullptr, "set wifi.encryption=wpa wifi.wpa.auth=wpa-psk", kExitBadInput,
         "WPA Key Length is not long"},
        {cpcl, "set code-page=2", kExitBadInput, "a code page is set in ESC/POS only"},
        {nullptr, "profile save /no/such/folder/p.json", kExitBadInput, "Cannot write /no/such"},
        {nullptr, "profile save /dev/full", kExitBadInput, "Cannot write /dev/full"},
        {cpcl, "set serial.data-bits=7 serial.parity=even", kExitBadInput, "data-bits: a CPCL"},
    };
    for (const auto& c : cases) {
        Bench bench;
        if (c.setup != nullptr) {
            c.setup(bench.model);
        }
        EXPECT_EQ(bench.Run(c.args), c.exit) << c.args;
        EXPECT_TRUE(Has(bench.err.str(), c.said)) << c.args << ": " << bench.err.str();
        EXPECT_FALSE(bench.model.State().ispMode) << c.args;
        EXPECT_EQ(bench.model.State().flash, sim::DefaultRegisters()) << c.args;
    }
}

// A printer on the network takes printer settings on a link of the network's own; after a
// Wi-Fi save it is looked for at its new IP once a second until the wait runs out.
TEST(Network, PrinterSettingsOverTcpAndTheCheckThatItJoined) {
    const struct {
        const char* args;
        bool listening;  // the printer answers on the network
        int exit;
        const char* said;
        int networkOpens;
    } cases[] = {
        {"set code-page=CP_850 --port tcp:printer", true, kExitDone, "Done: 1 settings", 2},
        {"set serial.baud=9600 --port tcp:printer", true, kExitDone, "Done: 1 settings", 2},
        {"show --port tcp:printer", false, kExitPort,
         "No connection within 5 s (refused or unreachable): tcp:printer:9100 (step: open)", 1},
        {"set wifi.ip=127.0.0.2 --verify-network", true, kExitDone,
         "Network: joined after 0 s (the printer answers at tcp:127.0.0.2:9100).", 1},
        {"--json set wifi.ip=127.0.0.2 --verify-network", true, kExitDone,
         R"("network":"joined after 0 s")", 1},
        {"set wifi.ip=10.0.0.9 --verify-network --network-wait 5", false, kExitRefused,
         "Network: not reached: nothing answered at tcp:10.0.0.9:9100 within 5 s (the printer "
         "has not joined). (step: network)",
         6},
        {"set wifi.ip=0.0.0.0 --verify-network", false, kExitDone,
         "Network: not checked: with DHCP (IP 0.0.0.0) the printer's address is unknown", 0},
        {"set wifi.ip=10.0.0.9", false, kExitDone, "Done: 1 settings", 0},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.network.target = c.listening ? &bench.serial : nullptr;
        EXPECT_EQ(bench.Run(c.args), c.exit) << c.args;
        EXPECT_TRUE(Has(bench.out.str() + bench.err.str(), c.said))
            << c.args << ": " << bench.out.str() << bench.err.str();
        EXPECT_EQ(bench.network.opens, c.networkOpens) << c.args;
        EXPECT_EQ(bench.link.opens > 0, Has(c.args, "wifi")) << c.args;
    }
}

// Plain sentences or JSON: what the printer reports, a profile saved, compared, applied.
TEST(Verbs, ShowSaveDiffApplyInWordsAndJson) {
    Bench bench;
    ASSERT_EQ(bench.Run("show"), kExitDone);
    EXPECT_TRUE(Has(bench.out.str(), "emulation               escpos\n"));
    EXPECT_TRUE(Has(bench.out.str(), "bluetooth.pin           unknown (the printer does not"));
    EXPECT_TRUE(Has(bench.out.str(), "wifi.ssid               not read (--wifi reads it)"));
    ASSERT_EQ(bench.Run("set wifi.encryption=wpa wifi.wpa.auth=wpa2-psk wifi.passphrase=letmein99"),
              kExitDone);
    const std::string file = bench.File("saved.json");
    ASSERT_EQ(bench.Run("--json profile save --include-secrets " + file), kExitDone);
    EXPECT_EQ(nlohmann::json::parse(bench.out.str())["file"], file);
    EXPECT_TRUE(Has(Read(file), "\"passphrase\": \"letmein99\""));
#ifndef _WIN32  // a file of secrets is its owner's alone
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
#endif
    EXPECT_EQ(bench.Run("profile check " + file), kExitDone) << bench.err.str();
    ASSERT_EQ(bench.Run("--json set wifi.channel=11 bluetooth.discoverable=off bluetooth.pin=12"),
              kExitDone);
    const auto set = nlohmann::json::parse(bench.out.str());
    EXPECT_EQ(set["written"], 3);
    EXPECT_EQ(set["unverifiable"], nlohmann::json::array({"bluetooth.pin"}));
    EXPECT_EQ(bench.Run("profile diff " + file), kExitRefused);
    EXPECT_TRUE(Has(bench.out.str(), "wifi.channel: wanted 6, the printer reports 11"));
    EXPECT_TRUE(Has(bench.out.str(), "bluetooth.discoverable: wanted on"));
    ASSERT_EQ(bench.Run("profile apply " + file), kExitDone) << bench.err.str();
    EXPECT_EQ(bench.Run("--json profile diff " + file), kExitDone) << bench.out.str();
    EXPECT_EQ(nlohmann::json::parse(bench.out.str())["matches"], true);
    ASSERT_EQ(bench.Run("profile save " + file), kExitDone);
    EXPECT_FALSE(Has(Read(file), "letmein99"));
}

// Every key the printer's report names, once, with the values it takes, in words and JSON.
TEST(Verbs, KeysListsEveryKeyOnceWithItsValues) {
    const struct {
        const char* line;
        const char* json;
    } cases[] = {
        {"serial.baud             9600, 19200, 38400, 57600, 115200\n",
         R"({"key": "serial.baud", "group": "serial", "secret": false, "read_back": true,
             "allowed": "9600, 19200, 38400, 57600, 115200"})"},
        {"bluetooth.pin           1 to 10 bytes without quotes or control characters  [secret]\n",
         R"({"key": "bluetooth.pin", "group": "bluetooth", "secret": true, "read_back": false,
             "allowed": "1 to 10 bytes without quotes or control characters"})"},
    };
    Bench bench;
    ASSERT_EQ(bench.Run("--json show"), kExitDone);
    auto unlisted = nlohmann::json::parse(bench.out.str())["settings"];
    EXPECT_EQ(unlisted["serial.baud"], 19200);
    ASSERT_EQ(bench.Run("--json keys"), kExitDone) << bench.err.str();
    const auto listed = nlohmann::json::parse(bench.out.str());
    std::map<std::string, nlohmann::json> keys;
    for (const auto& key : listed["keys"]) {
        const std::string name = key["key"];
        EXPECT_EQ(unlisted.erase(name), 1u) << name;  // listed once
        keys[name] = key;
    }
    EXPECT_TRUE(unlisted.empty()) << unlisted;
    ASSERT_EQ(bench.Run("keys"), kExitDone);
    const std::string words = bench.out.str();
    EXPECT_EQ(std::count(words.begin(), words.end(), '\n'), std::ptrdiff_t(keys.size()));
    for (const auto& c : cases) {
        EXPECT_TRUE(Has(words, c.line)) << c.line << words;
        const auto want = nlohmann::json::parse(c.json);
        EXPECT_EQ(keys[want["key"].get<std::string>()], want);
    }
}

TEST(Verbs, SendShowsTheAnswerOrExitsFourAfterTheWait) {
    Bench bench;
    ASSERT_EQ(bench.Run("send --file " + bench.File("query", "\x1C" + std::string("EC"))),
              kExitDone);
    EXPECT_TRUE(Has(bench.out.str(), "Sent 3 bytes:\n            1C 45 43  "));
    EXPECT_TRUE(Has(bench.out.str(), "Received 1 bytes in 1 pieces:\n  +"));
    EXPECT_TRUE(Has(bench.out.str(), " ms 01   ")) << bench.out.str();
    bench.model.FaultSettings().pieces = 2;
    std::uint32_t start = bench.clock.NowMs();
    ASSERT_EQ(bench.Run(R"(--json send --expect 17 --text \x1bbt\x01\x0e)"), kExitDone);
    EXPECT_LT(bench.clock.NowMs() - start, 1000u);  // not the whole default wait
    const auto json = nlohmann::json::parse(bench.out.str());
    EXPECT_EQ(json["answer_text"], "00:19:01:2A:3B:4C");
    EXPECT_EQ(json["received"].size(), 2u);
    bench.model.FaultSettings().silent = true;
    start = bench.clock.NowMs();
    EXPECT_EQ(bench.Run("send --hex 1C4543 --wait 2000"), kExitNoAnswer);
    EXPECT_TRUE(Has(bench.err.str(), "No Response in printer (step: wait)"));
    EXPECT_GE(bench.clock.NowMs() - start, 2000u);
    EXPECT_LT(bench.clock.NowMs() - start, 2500u);
}

TEST(Verbs, TermSendsTypedLinesAndRefusesBadOnesAsItGoes) {
    Bench bench;
    bench.typed.str(":hex\nzz\n1B5B4D01\n1C4543\n:text\n:x\n\\q\n:quit\n1C4543\n");
    ASSERT_EQ(bench.Run("term"), kExitDone) << bench.err.str();
    EXPECT_TRUE(Has(bench.err.str(), "nothing was sent (--force sends them)"));
    EXPECT_TRUE(Has(bench.err.str(), ":x: the commands are"));
    EXPECT_TRUE(Has(bench.out.str(), " ms 01   ")) << bench.out.str();
    EXPECT_EQ(bench.model.HostByteCount(), 2 + 3);  // the preamble and the one good line
}

// Over a link without a module, what the printer reports; a module that fails is no absent one.
TEST(Verbs, ReportPrintsTheLabelInEnglishAlsoWithoutAModule) {
    Bench bench;
    bench.model.State().moduleKind = sim::ModuleKind::Absent;
    ASSERT_EQ(bench.Run("--lang ko report --print"), kExitDone) << bench.err.str();
    EXPECT_EQ(
        bench.err.str(),
        "tarvek-cli: 라벨은 영어로 인쇄됩니다: 프린터의 코드 페이지에는 한국어가 없습니다.\n");
    const auto& pages = bench.model.State().pages;
    ASSERT_EQ(pages.size(), 2u);  // the text and the QR code; the feed ends at a pause to come
    const std::string text(pages[0].bytes.begin(), pages[0].bytes.end());
    EXPECT_TRUE(Has(text, "Date: 2024-01-01T00:00:00Z\n")) << text;
    EXPECT_TRUE(Has(text, "Wi-Fi: no module answered\n"));
    EXPECT_TRUE(Has(bench.out.str(), "wifi.ssid               응답한 Wi-Fi 모듈이 없음\n"));
    bench.model.State().moduleKind = sim::ModuleKind::WpaCapable;
    bench.model.FaultSettings().refuseRead = {4};
    EXPECT_EQ(bench.Run("report --print"), kExitRefused);
    EXPECT_EQ(pages.size(), 3u);  // that feed, and no label
}

// What the trace masks: a PIN (CPCL's up to its last quote), a secret register's image text (up
// to the closing CR) or the reply to a read of one; nothing of other or unframed commands.
TEST(Secrets, TheTraceMasksTheSecretOfEachCommandThatCarriesOne) {
    const auto framed = [](const char* command) { return BuildCommandFrame(command); };
    const struct {
        Bytes chunk;
        std::size_t begin, end;
        bool reply;
    } cases[] = {
        {BuildBluetoothPinCommand(kEmulationEscPos, "4711"), 5, 9, false},
        {BuildBluetoothPinCommand(kEmulationCpcl, "47\"1"), 39, 43, false},
        {framed("w 09 02 00 11\r"), 12, 17, false},
        {framed("w 09 03 00 11\r"), 12, 17, false},
        {framed("w 09 04 41 42 43\r"), 12, 20, false},
        {framed("w 09 05 FF\r"), 12, 14, false},
        {framed("r 09 02\r"), 0, 0, true},
        {framed("r 09 05\r"), 0, 0, true},
        {framed("w 09 01 41 42\r"), 0, 0, false},
        {framed("r 09 01\r"), 0, 0, false},
        {Bytes{'w', ' ', '0', '9', ' ', '0', '2', ' ', '0', '0', '\r'}, 0, 0, false},
    };
    for (const auto& c : cases) {
        const SecretSpan span = FindSecret(c.chunk.data(), c.chunk.size());
        const std::string shown(c.chunk.begin(), c.chunk.end());
        EXPECT_EQ(span.begin, c.begin) << shown;
        EXPECT_EQ(span.end, c.end) << shown;
        EXPECT_EQ(span.reply, c.reply) << shown;
    }
}

// Secrets never reach output or trace unless asked for: the PIN inside its command in both
// emulations, the WEP keys, passphrase and pre-shared key inside register images both ways.
TEST(Secrets, HiddenInOutputAndTraceUnlessAsked) {
    const Psk psk = DerivePsk("pass-1234-xyz", "tarvek");
    const std::string pskHex = EncodeHexPayload(psk.data(), 4).substr(0, 11);
    const struct {
        int emulation;
        const char* keys;
        std::vector<std::string> secrets;  // as text and as traced hex
    } cases[] = {
        {kEmulationEscPos,
         "wifi.encryption=wpa wifi.wpa.auth=wpa-psk wifi.passphrase=${env:PASS}",
         {"Zq9x", "5A 71 39 78", "pass-1234", "70 61 73 73", pskHex}},
        {kEmulationCpcl,
         "wifi.encryption=40-bit wifi.wep.key1=Kq7Wz",
         {"Zq9x", "5A 71 39 78", "4B 71 37 57 7A", "4B7137577A"}},
    };
    for (const auto& c : cases) {
        for (bool show : {false, true}) {
            Bench bench;
            bench.model.State().emulation = c.emulation;
            bench.env["PASS"] = "pass-1234-xyz";
            const std::string trace = bench.File("trace.txt"), flag = show ? "--show-secrets " : "";
            ASSERT_EQ(
                bench.Run(flag + "--json --trace " + trace + " set bluetooth.pin=Zq9x " + c.keys),
                kExitDone);
            const int opens = bench.link.opens;  // while the trace was written
            ASSERT_EQ(bench.Run(flag + "--json show --wifi"), kExitDone);
            const std::string traced = Read(trace), all = traced + bench.out.str();
            // Every byte both ways: the link's preamble, a one-byte answer; a secret read's
            // reply keeps its code line; what is no secret shows.
            std::size_t preambles = 0;  // one after each open
            for (auto at = traced.find("00 00  |..|"); at != std::string::npos;
                 at = traced.find("00 00  |..|", at + 1)) {
                ++preambles;
            }
            EXPECT_EQ(static_cast<int>(preambles), opens);
            EXPECT_TRUE(Has(traced, "printer  [open]  " + std::string(c.emulation ? "00" : "01")));
            EXPECT_EQ(Has(traced, "printer  [wifi read 09 05]  37 30 31 0D 0A ** "), !show);
            // CPCL's PIN is hidden up to its closing quote, which shows.
            EXPECT_EQ(Has(traced, "** 22 0D 0A"), c.emulation == kEmulationCpcl && !show);
            EXPECT_TRUE(Has(bench.out.str(), "\"wifi.gateway\":\"192.168.0.1\""));
            for (const std::string& secret : c.secrets) {
                EXPECT_EQ(Has(all, secret), show) << secret << (show ? " hidden" : " shown");
            }
        }
    }
}

}  // namespace
}  // namespace tarvek::cli
