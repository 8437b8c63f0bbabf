// What the simulated printer and its Wi-Fi module remember: everything a test or a demo may
// set up before an exchange and assert afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/printer_link.h"
#include "link/serial_settings.h"
#include "sim/module_registers.h"
#include "sim/printer_commands_accepted.h"

namespace tarvek::sim {

// How the printer answers the emulation query: raw 0x00/0x01 or the digits "0"/"1".
enum class EmulationAnswerForm : int { Binary = 0, Ascii = 1 };

// The Wi-Fi module fitted to the printer.
enum class ModuleKind : int { Absent = 0, WepOnly = 1, WpaCapable = 2 };

// One printed page: the bytes the printer took as print data, with the code page and the
// emulation in force when they came.
struct PrintedPage {
    Bytes bytes;
    int codePage = 0;
    int emulation = 0;
};

// A register image per table index 0..9 (group, register, length, 0, data, check).
using RegisterFile = std::array<RegisterImage, kRegisterCount>;

struct PrinterState {
    // --- printer ---
    int emulation = kEmulationEscPos;
    EmulationAnswerForm answerForm = EmulationAnswerForm::Binary;
    // The printer's own serial port, as list positions (baud rate as the number).
    SerialLineSettings serial{9600, kParityNone, kDataBits8, kStopBits1, kFlowDtrDsr};
    std::string bluetoothAddress = "00:19:01:2A:3B:4C";
    std::string bluetoothPin = "0000";
    bool discoverable = true;
    int powerSaveMode = 0;     // 0 none, 1 power off, 2 power save
    int powerSaveMinutes = 0;  // the byte the printer was sent
    int codePage = 0;          // the number FS "E" "P" selects (sim/code_pages.h)
    std::vector<PrintedPage> pages;

    // --- Wi-Fi module ---
    ModuleKind moduleKind = ModuleKind::WpaCapable;
    bool ispMode = false;
    bool unlocked = false;
    std::array<std::uint8_t, 6> mac{{0x00, 0x1D, 0xC9, 0x10, 0x20, 0x30}};
    RegisterFile working;  // what reads see and writes change
    RegisterFile flash;    // what survives leaving ISP mode
};

// Factory contents of the module: 192.168.0.100/255.255.255.0, gateway and DNS 192.168.0.1,
// SSID "tarvek", infrastructure on channel 6, no WEP, empty keys, no passphrase.
RegisterFile DefaultRegisters();
// A fresh state with the factory registers in working copy and flash.
PrinterState DefaultPrinterState();

}  // namespace tarvek::sim
