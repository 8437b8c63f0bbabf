#include "sim/state_file.h"

#include <cstdio>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "sim/hex_text.h"

namespace tarvek::sim {
namespace {

bool FromHex(const std::string& text, Bytes& out) {
    if (text.size() % 2 != 0) {
        return false;
    }
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &value) != 1) {
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(value));
    }
    return true;
}

bool ToInt(const std::string& text, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < -1000000 || value > 1000000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

const char* const kModuleNames[] = {"absent", "wep", "wpa"};

}  // namespace

std::string FormatState(const PrinterState& s) {
    std::ostringstream out;
    const EmulationCode* emulation = EmulationOf(s.emulation);
    out << "emulation=" << (emulation ? emulation : EmulationOf(kEmulationEscPos))->name << "\n";
    out << "answer_form=" << (s.answerForm == EmulationAnswerForm::Ascii ? "ascii" : "binary")
        << "\n";
    out << "baud=" << s.serial.baudRate << "\n";
    out << "parity=" << s.serial.parityIndex << "\n";
    out << "data_bits=" << (s.serial.dataBitsIndex == kDataBits7 ? 7 : 8) << "\n";
    out << "stop_bits=" << (s.serial.stopBitsIndex == kStopBits2 ? 2 : 1) << "\n";
    out << "flow=" << s.serial.flowIndex << "\n";
    out << "bt_address=" << s.bluetoothAddress << "\n";
    out << "bt_pin=" << s.bluetoothPin << "\n";
    out << "discoverable=" << (s.discoverable ? "on" : "off") << "\n";
    out << "power_save_mode=" << s.powerSaveMode << "\n";
    out << "power_save_minutes=" << s.powerSaveMinutes << "\n";
    out << "code_page=" << s.codePage << "\n";
    out << "module=" << kModuleNames[static_cast<int>(s.moduleKind)] << "\n";
    out << "mac=" << HexDigits(Bytes(s.mac.begin(), s.mac.end())) << "\n";
    for (int i = 0; i < kRegisterCount; ++i) {
        out << "working." << i << "=" << HexDigits(s.working[static_cast<std::size_t>(i)]) << "\n";
    }
    for (int i = 0; i < kRegisterCount; ++i) {
        out << "flash." << i << "=" << HexDigits(s.flash[static_cast<std::size_t>(i)]) << "\n";
    }
    for (const PrintedPage& page : s.pages) {
        out << "page=" << page.codePage << "," << page.emulation << "," << HexDigits(page.bytes)
            << "\n";
    }
    return out.str();
}

bool ParseState(const std::string& text, PrinterState& s) {
    std::istringstream in(text);
    std::string line;
    bool ok = true;
    bool pagesSeen = false;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        int n = 0;
        Bytes bytes;
        if (key == "emulation") {
            const EmulationCode* emulation = EmulationNamed(value);
            ok &= emulation != nullptr;
            s.emulation = emulation != nullptr ? emulation->emulation : kEmulationEscPos;
        } else if (key == "answer_form") {
            s.answerForm =
                value == "ascii" ? EmulationAnswerForm::Ascii : EmulationAnswerForm::Binary;
        } else if (key == "baud" && ToInt(value, n)) {
            s.serial.baudRate = n;
        } else if (key == "parity" && ToInt(value, n) && n >= 0 && n <= 2) {
            s.serial.parityIndex = n;
        } else if (key == "data_bits" && (value == "7" || value == "8")) {
            s.serial.dataBitsIndex = value == "7" ? kDataBits7 : kDataBits8;
        } else if (key == "stop_bits" && (value == "1" || value == "2")) {
            s.serial.stopBitsIndex = value == "2" ? kStopBits2 : kStopBits1;
        } else if (key == "flow" && ToInt(value, n) && (n == 0 || n == 1)) {
            s.serial.flowIndex = n;
        } else if (key == "bt_address") {
            s.bluetoothAddress = value;
        } else if (key == "bt_pin") {
            s.bluetoothPin = value;
        } else if (key == "discoverable") {
            s.discoverable = value == "on";
        } else if (key == "power_save_mode" && ToInt(value, n)) {
            s.powerSaveMode = n;
        } else if (key == "power_save_minutes" && ToInt(value, n)) {
            s.powerSaveMinutes = n;
        } else if (key == "code_page" && ToInt(value, n)) {
            s.codePage = n;
        } else if (key == "module") {
            ok &= value == "absent" || value == "wep" || value == "wpa";
            s.moduleKind = value == "absent" ? ModuleKind::Absent
                           : value == "wep"  ? ModuleKind::WepOnly
                                             : ModuleKind::WpaCapable;
        } else if (key == "mac" && FromHex(value, bytes) && bytes.size() == 6) {
            std::copy(bytes.begin(), bytes.end(), s.mac.begin());
        } else if ((key.rfind("working.", 0) == 0 || key.rfind("flash.", 0) == 0) &&
                   ToInt(key.substr(key.find('.') + 1), n) && n >= 0 && n < kRegisterCount &&
                   FromHex(value, bytes)) {
            RegisterFile& file = key[0] == 'w' ? s.working : s.flash;
            file[static_cast<std::size_t>(n)] = bytes;
        } else if (key == "page") {
            if (!pagesSeen) {
                s.pages.clear();
                pagesSeen = true;
            }
            PrintedPage page;
            int emulation = 0;
            const std::size_t c1 = value.find(','), c2 = value.find(',', c1 + 1);
            if (c1 == std::string::npos || c2 == std::string::npos ||
                !ToInt(value.substr(0, c1), page.codePage) ||
                !ToInt(value.substr(c1 + 1, c2 - c1 - 1), emulation) ||
                !FromHex(value.substr(c2 + 1), page.bytes)) {
                ok = false;
                continue;
            }
            page.emulation = emulation;
            s.pages.push_back(page);
        } else {
            ok = false;
        }
    }
    return ok;
}

int SaveStateFile(const std::string& path, const PrinterState& state) {
    // Written beside the file and renamed over it, so a reader never sees half a file.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << FormatState(state);
        if (!out) {
            return -1;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) == 0) {
        return 0;
    }
    std::remove(path.c_str());  // Windows does not rename over a file
    return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : -1;
}

StateLoad LoadStateFile(const std::string& path, PrinterState& state) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return errno == ENOENT ? StateLoad::Missing : StateLoad::Invalid;
    }
    std::ostringstream text;
    text << in.rdbuf();
    PrinterState read = state;
    if (!in || !ParseState(text.str(), read)) {
        return StateLoad::Invalid;
    }
    state = read;
    return StateLoad::Loaded;
}

}  // namespace tarvek::sim
