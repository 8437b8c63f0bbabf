// The printer's command language as pure functions: each builder returns the exact bytes that
// go on the wire (no terminating zero), each answer rule judges the bytes of one read.
//
// Two emulations: CPCL takes text lines "! U1 getvar/setvar ...", ESC/POS takes byte commands.
// A builder given a value outside its table returns no bytes (an empty Bytes), so a caller can
// never send a made-up setting.
#pragma once

#include <string>
#include <vector>

#include "link/printer_link.h"

namespace tarvek {

// The printer's emulation, as m_nEmulation keeps it.
enum : int { kEmulationEscPos = 0, kEmulationCpcl = 1 };
// Answer rules report this when the bytes are not an emulation code.
inline constexpr int kNotAnEmulationCode = -1;
// The emulation before the printer has told it.
inline constexpr int kEmulationUnknown = -1;

// --- Serial line configuration -----------------------------------------------------------
// The four CPCL lines, in order: baud rate, parity (index 0 NONE, 1 ODD, 2 EVEN), stop bits
// (the number 1 or 2), "com_apply". Empty when the parity index is outside 0..2.
std::vector<std::string> BuildCpclSerialLines(int baudRate, int parityIndex, int stopBits);
// The 9-byte ESC/POS command GS "S" "C" 0x01 and five digits. Indices are list positions:
// data bits 0 = 7, 1 = 8; parity 0 NONE, 1 ODD, 2 EVEN; stop bits 0 = one, 1 = two;
// flow 0 DTR/DSR, 1 Xon/Xoff. Empty for a baud rate or index outside its table.
Bytes BuildEscPosSerialCommand(int baudRate, int dataBitsIndex, int parityIndex, int stopBitsIndex,
                               int flowIndex);

// --- Emulation ----------------------------------------------------------------------------
Bytes BuildEmulationQuery();             // FS "E" "C"
Bytes BuildSetEmulation(int emulation);  // FS "E" "S" 0 (CPCL) or 1 (ESC/POS); empty otherwise
// Only the last byte of the answer counts: 0x00 or "0" is CPCL, 0x01 or "1" ESC/POS.
// Returns kEmulationCpcl, kEmulationEscPos or kNotAnEmulationCode (also for no bytes).
int ParseEmulationAnswer(const std::uint8_t* answer, int count);

// --- Bluetooth ----------------------------------------------------------------------------
Bytes BuildBluetoothAddressQuery(int emulation);
Bytes BuildDiscoverableQuery(int emulation);
Bytes BuildBluetoothPinCommand(int emulation, const std::string& pin);
Bytes BuildDiscoverableCommand(int emulation, bool on);
// The answer as text up to its first zero byte, double quotes removed at its start and then
// at its end (quotes inside stay).
std::string ParseBluetoothAddress(const std::uint8_t* answer, int count);
// True when the answer text (up to its first zero byte) contains "on" anywhere.
bool ParseDiscoverableAnswer(const std::uint8_t* answer, int count);

// --- Power save ---------------------------------------------------------------------------
inline constexpr int kPowerSaveModeCount = 3;  // none, power off, power save
// The number a minutes text begins with: leading white space, an optional sign, digits up to
// the first non-digit; 0 when there are none. Saturates instead of overflowing.
int ParsePowerSaveMinutes(const std::string& text);
// GS "S" "P", the mode (0..2) and the low 8 bits of the minutes. Empty for another mode.
Bytes BuildPowerSaveCommand(int mode, int minutes);

// --- Code page ----------------------------------------------------------------------------
// FS "E" "P" n for a code-page number of the name table (0..23); empty otherwise.
Bytes BuildSetCodePageCommand(int codePageNumber);
// The 188-byte test page: eight rows of two line ends, a blank, sixteen byte values from
// 0x80 + 16k and a blank, then six line ends.
Bytes BuildCodePageTestPage();

}  // namespace tarvek
