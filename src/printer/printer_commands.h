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
#include "printer/printer_domain.h"

namespace tarvek {

// Answer rules report this when the bytes are not an emulation code.
inline constexpr int kNotAnEmulationCode = -1;
// The emulation before the printer has told it.
inline constexpr int kEmulationUnknown = -1;

// --- Serial line configuration -----------------------------------------------------------
// The four CPCL lines, in order: baud rate, parity (its letter), stop bits (the number 1 or
// 2), "com_apply". Data bits and flow are not told. Empty when a value told is outside its
// table.
std::vector<std::string> BuildCpclSerialLines(const SerialLineSettings& line);
// The 9-byte ESC/POS command GS "S" "C" 0x01 and the digits of baud rate, data bits, parity,
// stop bits and flow. Empty for a value outside its table.
Bytes BuildEscPosSerialCommand(const SerialLineSettings& line);

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
// Commands without a length (the ESC/POS PIN runs to the end of its bytes) end where the
// printer meets a pause in the incoming bytes: until the line has been silent this long after
// one, every byte that follows would be taken as part of it. Printers take a pause of a few
// tens of milliseconds as the end (the simulator 50 ms by default); 100 ms leaves room for a
// slower one and for the command's last bytes still on their way out at 9600 baud.
inline constexpr std::uint32_t kQuietAfterOpenEndedMs = 100;
bool IsOpenEnded(const Bytes& command);
// Where a written chunk carries the PIN of a PIN command, in either emulation: true with the
// PIN's bytes [begin, end) (a CPCL line's PIN ends at its last quote); false for any other.
bool FindPinInCommand(const std::uint8_t* chunk, std::size_t count, std::size_t& begin,
                      std::size_t& end);
Bytes BuildDiscoverableCommand(int emulation, bool on);
// The answer as text up to its first zero byte, double quotes removed at its start and then
// at its end (quotes inside stay).
std::string ParseBluetoothAddress(const std::uint8_t* answer, int count);
// True when the answer text (up to its first zero byte) contains "on" anywhere.
bool ParseDiscoverableAnswer(const std::uint8_t* answer, int count);

// --- Power save ---------------------------------------------------------------------------
// The number a minutes text begins with: leading white space, an optional sign, digits up to
// the first non-digit; 0 when there are none. Saturates instead of overflowing.
int ParsePowerSaveMinutes(const std::string& text);
// GS "S" "P", the mode's byte and the low 8 bits of the minutes. Empty for a mode outside its
// table.
Bytes BuildPowerSaveCommand(int mode, int minutes);

// --- Code page ----------------------------------------------------------------------------
// FS "E" "P" n for a code-page number of the name table (0..23); empty otherwise.
Bytes BuildSetCodePageCommand(int codePageNumber);
// The 188-byte test page: eight rows of two line ends, a blank, sixteen byte values from
// 0x80 + 16k and a blank, then six line ends.
Bytes BuildCodePageTestPage();

}  // namespace tarvek
