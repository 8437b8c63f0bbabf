// The Wi-Fi module's programming protocol, byte level: the command frame, the register table,
// the hex coding of register images and their image check. Pure functions, no I/O.
#pragma once

#include <cstdint>
#include <string>

#include "link/printer_link.h"

namespace tarvek {

// --- Commands -----------------------------------------------------------------------------
// ESC "[" "D" n, then the n command bytes (n <= 255). Empty for a longer command.
Bytes BuildCommandFrame(const std::string& command);
// The unframed ISP-mode switch: ESC "[" "M" 1 (enter) or 0 (leave).
Bytes BuildIspModeSwitch(bool enter);

inline constexpr int kRegisterCount = 10;  // table indexes 0..9
inline constexpr int kMacQueryIndex = 10;  // every index above 9 is the MAC query

// One register of the module: its group and register texts and its image length (the two
// check bytes included).
struct ModuleRegister {
    const char* group;
    const char* number;
    int imageLength;
    bool secret;  // the image carries a key: the WEP keys, the passphrase, the pre-shared key
};
// The register at table index 0..9; nullptr for any other index.
const ModuleRegister* RegisterAt(int index);
// "r GG II\r" for 0..9; "c 0\r" (the MAC query) for every index above 9; "" below 0.
std::string BuildReadCommand(int index);
// "w GG II " (trailing blank, no CR) for 0..9; "" otherwise.
std::string BuildWriteCommandPrefix(int index);

// Where a written chunk carries a secret: the image text of a framed write to a secret
// register ([begin, end), up to the closing CR), or a framed read of one (asksSecret: the
// reply's image is the secret). False for any other chunk.
struct CommandSecret {
    std::size_t begin = 0, end = 0;
    bool asksSecret = false;
};
bool FindSecretInCommand(const std::uint8_t* chunk, std::size_t count, CommandSecret& secret);
// A read reply's code line ("701" CR LF), before the image text.
inline constexpr std::size_t kReplyCodeLineLength = 5;

inline const std::string kUnlockCommand = "u b3e1 07d4\r";
inline const std::string kFlashCommand = "f 6f2b\r";

// --- Register images ----------------------------------------------------------------------
// Image: group, register, length, 0, data, then the image check low byte first.
// CRC-16/AUG-CCITT over the bytes (polynomial 0x1021, not reflected, no final XOR, 0x1D0F as
// start value in the direct form); "abc" gives 0x8CDA.
std::uint16_t ComputeImageCheck(const std::uint8_t* bytes, int count);

// Image bytes as spaced upper-case hex with a CR after the last byte: 3 x count characters.
std::string EncodeHexPayload(const std::uint8_t* bytes, int count);
// Bytes as upper-case hex digits without separators: 2 x count characters.
std::string EncodeHexText(const std::uint8_t* bytes, int count);

// The fixed decode buffer of the protocol.
inline constexpr int kDecodeCapacity = 256;
// Hex text to bytes: hex digits (either case) are nibbles, every other character is skipped;
// the first nibble of a pair is the high half. Returns the number of completed bytes; a final
// unpaired nibble is left as the high half of a byte that is not counted. Bytes beyond the
// 256-byte buffer are dropped (the count stops at 256).
// The reply variant decodes over the buffer as it is; the key-text variant clears it first.
int DecodeHexText(const char* text, int length, std::uint8_t (&out)[kDecodeCapacity]);
int DecodeHexKeyText(const char* text, int length, std::uint8_t (&out)[kDecodeCapacity]);

}  // namespace tarvek
