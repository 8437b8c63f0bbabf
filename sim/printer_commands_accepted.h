// The commands the printer takes, byte for byte, in both of its emulations: where each command
// ends, and what each code it carries means. The Wi-Fi module's own commands travel inside the
// module frame (sim/module_registers.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/printer_link.h"

namespace tarvek::sim {

// The emulation, as the state keeps it.
enum : int { kEmulationEscPos = 0, kEmulationCpcl = 1 };

// The byte commands, by what they do.
enum class ByteCommand {
    EmulationQuery,      // FS "E" "C": answered with the emulation's code
    EmulationSwitch,     // FS "E" "S" code
    CodePage,            // FS "E" "P" number
    SerialSettings,      // GS "S" "C" 0x01 and five digits (sim/line_codes.h), ESC/POS only
    PowerSave,           // GS "S" "P" mode minutes
    QrCode,              // GS "(" "k" pL pH and pL + 256 pH bytes, ESC/POS only
    BluetoothOperation,  // ESC "b" "t" 0x01 operation, ESC/POS only
    BluetoothPin,        // ESC "b" "t" 0x05 0x90 and the PIN, ESC/POS only
    IspMode,             // ESC "[" "M" kIspEnter or kIspLeave
    ModuleFrame,         // ESC "[" "D" n and n bytes of a module command
};

// How the printer finds a command's end.
enum class CommandEnd {
    Fixed,       // after its `size` bytes in all
    LengthByte,  // its lead is followed by a length n and n bytes
    LengthWord,  // its lead is followed by a length nL nH and nL + 256 nH bytes
    Pause,       // at a pause in the incoming bytes: the command carries no length
};

struct AcceptedCommand {
    ByteCommand command;
    std::uint8_t lead[5];  // the bytes that name it
    std::size_t leadLength;
    CommandEnd end;
    std::size_t size;  // Fixed only
};

// The first command whose lead the bytes begin with, or whose lead they begin; nullptr for none.
// With `whole` false the bytes may stop inside the lead.
const AcceptedCommand* ByteCommandOf(const Bytes& bytes, bool whole);
// A byte command begins with this byte (ESC, FS or GS): it ends print data.
bool BeginsByteCommand(std::uint8_t byte);

// --- Codes the byte commands carry ---------------------------------------------------------
struct EmulationCode {
    int emulation;
    std::uint8_t code;  // the switch's byte, and the query's answer (ASCII: its digit)
    const char* name;   // as the state file and the command line name it
};
const EmulationCode* EmulationOfCode(std::uint8_t code);
const EmulationCode* EmulationOf(int emulation);
const EmulationCode* EmulationNamed(const std::string& name);

enum class BluetoothOperation { AddressQuery, DiscoverableQuery, DiscoverableOn, DiscoverableOff };
// The operation of ESC "b" "t" 0x01 n; false for an n the printer does not know.
bool BluetoothOperationOf(std::uint8_t code, BluetoothOperation& operation);

// The mode byte of GS "S" "P" is what the state keeps.
struct PowerSaveMode {
    std::uint8_t code;
    const char* name;
};
const PowerSaveMode* PowerSaveModeOf(std::uint8_t code);

// --- CPCL ------------------------------------------------------------------------------------
// Text lines "! U1 getvar \"name\"" and "! U1 setvar \"name\" \"value\"", each ending in LF; a
// label form "! 0 ..." runs up to its PRINT line.
inline constexpr char kCpclGetvar[] = "! U1 getvar ";
inline constexpr char kCpclSetvar[] = "! U1 setvar ";
inline constexpr char kLabelFormEnd[] = "\nPRINT\r\n";

enum class CpclVariable {
    BluetoothAddress,  // read only
    Discoverable,      // "on" or "off"
    BluetoothPin,
    Baud,  // these three are staged by setvar...
    Parity,
    StopBits,
    ApplyLine,  // ...and applied together by setvar "com_apply", which carries no value
};
// false for a name the printer does not know.
bool CpclVariableNamed(const std::string& name, CpclVariable& variable);

}  // namespace tarvek::sim
