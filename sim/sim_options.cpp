#include "sim/sim_options.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tarvek::sim {
namespace {

bool Number(const char* text, long long low, long long high, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return *text != '\0' && *end == '\0' && out >= low && out <= high;
}

// The names --parity and --flow take, in any case.
constexpr struct {
    const char* option;
    const char* name;
    int SerialLineSettings::*member;
    int value;
} kLineNames[] = {
    {"--parity", "none", &SerialLineSettings::parityIndex, kParityNone},
    {"--parity", "odd", &SerialLineSettings::parityIndex, kParityOdd},
    {"--parity", "even", &SerialLineSettings::parityIndex, kParityEven},
    {"--flow", "dtr-dsr", &SerialLineSettings::flowIndex, kFlowDtrDsr},
    {"--flow", "dtr", &SerialLineSettings::flowIndex, kFlowDtrDsr},
    {"--flow", "xon-xoff", &SerialLineSettings::flowIndex, kFlowXonXoff},
    {"--flow", "xon", &SerialLineSettings::flowIndex, kFlowXonXoff},
};

bool SameLetters(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

// Sets the line field the option's name stands for; false for a name it does not take.
bool TakeLineName(const std::string& option, const char* name, SerialLineSettings& line) {
    for (const auto& entry : kLineNames) {
        if (option == entry.option && SameLetters(name, entry.name)) {
            line.*entry.member = entry.value;
            return true;
        }
    }
    return false;
}

bool TakesValue(const std::string& arg) {
    static const char* const kWithValue[] = {"--device",
                                             "--link-file",
                                             "--symlink",
                                             "--state",
                                             "--log",
                                             "--emulation",
                                             "--answer-form",
                                             "--baud",
                                             "--parity",
                                             "--data-bits",
                                             "--stop-bits",
                                             "--flow",
                                             "--bt-address",
                                             "--pin",
                                             "--discoverable",
                                             "--module",
                                             "--mac",
                                             "--silent-after",
                                             "--late",
                                             "--pieces",
                                             "--piece-gap",
                                             "--refuse-read",
                                             "--refuse-write",
                                             "--corrupt-check",
                                             "--stop-after-byte",
                                             "--command-pause",
                                             "--tcp"};
    for (const char* name : kWithValue) {
        if (arg == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

const char* SimUsage() {
    return R"(Usage: tarvek-printer-sim [OPTION]...
Simulated label printer with Wi-Fi module on a pseudo-terminal. Prints the pty's slave path
on stdout, then serves the printer until SIGINT or SIGTERM. Answers leave 5 ms after the last
byte of a command. While the host's line settings on the pty differ from the printer's own
serial settings (baud, parity, data bits, stop bits) the printer hears only noise.

Where:
  --device PATH          serve an existing tty instead of creating a pty
  --tcp ADDRESS:PORT     also serve the printer's raw port over TCP there (one connection
                         at a time); after a flash of a Wi-Fi IP in 127.0.0.0/8 (not
                         127.0.0.1 nor ADDRESS) the printer "joins": it listens at IP:9100
  --link-file FILE       also write the slave path (one line) into FILE
  --symlink PATH         make PATH a symlink to the slave (removed at exit)
  --state FILE           load the state from FILE at start (if it exists) and save it there
                         after every change: key=value lines (emulation, baud, bt_pin,
                         working.N / flash.N register images in hex, page=cp,emu,hex ...)
  --log FILE             append the traffic: one line per chunk,
                         "<ms since start> host|sim XX XX ..." (hex), plus "note" lines
  --render-pages         print the pages in the state file as text and exit

Initial state (only when no state file was loaded):
  --emulation cpcl|escpos          default escpos
  --answer-form binary|ascii       emulation answer 0x00/0x01 or "0"/"1"; default binary
  --baud N  --parity none|odd|even  --data-bits 7|8  --stop-bits 1|2
  --flow dtr-dsr|xon-xoff          the printer's serial port; default 9600 none 8 1 dtr-dsr
                                   (dtr and xon are taken too)
  --bt-address TEXT  --pin TEXT  --discoverable on|off
  --module absent|wep|wpa          Wi-Fi module; default wpa
  --mac XX:XX:XX:XX:XX:XX

Faults:
  --silent                 answer nothing
  --silent-after N         answer the first N commands only
  --late MS                answer MS milliseconds later
  --pieces N  --piece-gap MS   send each answer in N pieces, MS apart (default 50)
  --garbage                scramble every answer
  --refuse-read I          refuse a read of register table index I (0..9, 10 = MAC query);
  --refuse-write I         refuse a write of index I; both may be repeated
  --corrupt-check I        reads of index I carry a wrong image check; may be repeated
  --stop-after-byte N      take in only the first N bytes of host traffic, then go deaf

Timing:
  --command-pause MS       a pause this long in the incoming bytes ends a command without a
                           length (the ESC/POS PIN takes every byte until then); default 50
  --help                   show this text
)";
}

int ParseSimOptions(int argc, char** argv, SimOptions& o, std::string& error) {
    PrinterState& s = o.initial;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const char* value = hasValue ? argv[i + 1] : "";
        long long n = 0;
        auto take = [&]() {
            ++i;
            return true;
        };
        auto bad = [&]() {
            error = hasValue ? "bad value '" + std::string(value) + "' for " + arg
                             : "missing value for " + arg;
            return -1;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--render-pages") {
            o.renderPages = true;
        } else if (arg == "--silent") {
            o.faults.silent = true;
        } else if (arg == "--garbage") {
            o.faults.garbage = true;
        } else if (!hasValue && TakesValue(arg)) {
            return bad();
        } else if (arg == "--device" && take()) {
            o.devicePath = value;
        } else if (arg == "--tcp" && take()) {
            const char* colon = std::strrchr(value, ':');
            if (colon == nullptr || colon == value || !Number(colon + 1, 1, 65535, n)) {
                return bad();
            }
            o.tcpHost.assign(value, colon);
            o.tcpPort = static_cast<int>(n);
        } else if (arg == "--link-file" && take()) {
            o.linkFile = value;
        } else if (arg == "--symlink" && take()) {
            o.symlinkPath = value;
        } else if (arg == "--state" && take()) {
            o.statePath = value;
        } else if (arg == "--log" && take()) {
            o.logPath = value;
        } else if (arg == "--emulation" && take()) {
            const EmulationCode* emulation = EmulationNamed(value);
            if (emulation == nullptr) {
                return bad();
            }
            s.emulation = emulation->emulation;
        } else if (arg == "--answer-form" && take()) {
            if (std::strcmp(value, "binary") != 0 && std::strcmp(value, "ascii") != 0) {
                return bad();
            }
            s.answerForm =
                value[0] == 'a' ? EmulationAnswerForm::Ascii : EmulationAnswerForm::Binary;
        } else if (arg == "--baud" && take()) {
            if (!Number(value, 1, 4000000, n) || !IsSupportedBaudRate(static_cast<int>(n))) {
                return bad();
            }
            s.serial.baudRate = static_cast<int>(n);
        } else if ((arg == "--parity" || arg == "--flow") && take()) {
            if (!TakeLineName(arg, value, s.serial)) {
                return bad();
            }
        } else if (arg == "--data-bits" && take()) {
            if (!Number(value, 7, 8, n)) {
                return bad();
            }
            s.serial.dataBitsIndex = n == 7 ? kDataBits7 : kDataBits8;
        } else if (arg == "--stop-bits" && take()) {
            if (!Number(value, 1, 2, n)) {
                return bad();
            }
            s.serial.stopBitsIndex = n == 2 ? kStopBits2 : kStopBits1;
        } else if (arg == "--bt-address" && take()) {
            s.bluetoothAddress = value;
        } else if (arg == "--pin" && take()) {
            s.bluetoothPin = value;
        } else if (arg == "--discoverable" && take()) {
            if (std::strcmp(value, "on") != 0 && std::strcmp(value, "off") != 0) {
                return bad();
            }
            s.discoverable = std::strcmp(value, "on") == 0;
        } else if (arg == "--module" && take()) {
            if (std::strcmp(value, "absent") == 0) {
                s.moduleKind = ModuleKind::Absent;
            } else if (std::strcmp(value, "wep") == 0) {
                s.moduleKind = ModuleKind::WepOnly;
            } else if (std::strcmp(value, "wpa") == 0) {
                s.moduleKind = ModuleKind::WpaCapable;
            } else {
                return bad();
            }
        } else if (arg == "--mac" && take()) {
            unsigned m[6];
            int used = 0;  // a stray letter ends a %2x early: every character must be taken
            if (std::sscanf(value, "%2x:%2x:%2x:%2x:%2x:%2x%n", &m[0], &m[1], &m[2], &m[3], &m[4],
                            &m[5], &used) != 6 ||
                used != 17 || value[used] != '\0') {
                return bad();
            }
            for (int k = 0; k < 6; ++k) {
                s.mac[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(m[k]);
            }
        } else if (arg == "--silent-after" && take()) {
            if (!Number(value, 0, 1000000, n)) {
                return bad();
            }
            o.faults.silentAfterCommands = static_cast<int>(n);
        } else if (arg == "--late" && take()) {
            if (!Number(value, 0, 600000, n)) {
                return bad();
            }
            o.faults.lateMs = static_cast<std::uint32_t>(n);
        } else if (arg == "--pieces" && take()) {
            if (!Number(value, 1, 1000, n)) {
                return bad();
            }
            o.faults.pieces = static_cast<int>(n);
        } else if (arg == "--piece-gap" && take()) {
            if (!Number(value, 0, 600000, n)) {
                return bad();
            }
            o.faults.pieceGapMs = static_cast<std::uint32_t>(n);
        } else if ((arg == "--refuse-read" || arg == "--refuse-write" ||
                    arg == "--corrupt-check") &&
                   take()) {
            if (!Number(value, 0, kMacQueryIndex, n)) {
                return bad();
            }
            std::set<int>& set = arg == "--refuse-read"    ? o.faults.refuseRead
                                 : arg == "--refuse-write" ? o.faults.refuseWrite
                                                           : o.faults.corruptReadCheck;
            set.insert(static_cast<int>(n));
        } else if (arg == "--command-pause" && take()) {
            if (!Number(value, 1, 60000, n)) {
                return bad();
            }
            o.commandPauseMs = static_cast<std::uint32_t>(n);
        } else if (arg == "--stop-after-byte" && take()) {
            if (!Number(value, 0, 1LL << 40, n)) {
                return bad();
            }
            o.faults.stopAfterHostByte = n;
        } else {
            error = "unknown option " + arg;
            return -1;
        }
    }
    return 0;
}

void ApplyInitialState(const SimOptions& options, PrinterState& state) {
    state = options.initial;
}

}  // namespace tarvek::sim
