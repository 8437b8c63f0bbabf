// The Wi-Fi module's registers as the module lays them out, and the text commands that reach
// them inside an ESC "[" "D" n frame.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>

#include "link/printer_link.h"

namespace tarvek::sim {

// A register's image: group, number, image length, 0, the data bytes (those the register does
// not use are zero), then the image check, low byte first.
struct RegisterLayout {
    std::uint8_t group;   // written as two decimal digits in a command
    std::uint8_t number;  // the register within its group, likewise
    int imageLength;      // the two check bytes included
    int dataBytes;        // the data the register holds, from kImageDataOffset on
    bool wpaOnly;         // a WEP-only module has no such register
};

// By table index, the number the faults and the host's tools give a register.
inline constexpr RegisterLayout kRegisterLayouts[] = {
    {3, 0, 12, 4, false},   // IP address, its first number first
    {3, 1, 12, 4, false},   // netmask
    {3, 2, 12, 4, false},   // gateway
    {3, 3, 12, 4, false},   // DNS server
    {9, 1, 40, 32, false},  // SSID, zero-padded
    {9, 0, 12, 3, false},   // WLAN options: mode and channel; WEP; WPA
    {9, 2, 28, 20, false},  // four 40-bit WEP keys of 5 bytes
    {9, 3, 60, 52, false},  // four 104-bit WEP keys of 13 bytes
    {9, 4, 40, 32, false},  // WPA passphrase, zero-padded
    {9, 5, 40, 32, true},   // WPA pre-shared key
};
inline constexpr int kRegisterCount = static_cast<int>(std::size(kRegisterLayouts));
// The MAC address query, named by the index after the registers'.
inline constexpr int kMacQueryIndex = kRegisterCount;

inline constexpr int kImageDataOffset = 4;
// The MAC query's image: zero but for its length, the address at 8..13 and the check.
inline constexpr int kMacImageLength = 16;
inline constexpr int kMacOffset = 8;

// The ISP-mode switch ESC "[" "M" n, not framed: n enters or leaves.
inline constexpr std::uint8_t kIspEnter = 0x01;
inline constexpr std::uint8_t kIspLeave = 0x00;
// The framed commands without a register.
inline constexpr char kMacQueryText[] = "c 0\r";
inline constexpr char kUnlockText[] = "u b3e1 07d4\r";
inline constexpr char kFlashText[] = "f 6f2b\r";
// The acknowledgement, and the answer to a command refused or not known.
inline constexpr char kAcknowledged[] = "701\r\n";
inline constexpr char kRefused[] = "702 ERROR\r\n";

// The layout of table index 0..9; nullptr for another index.
const RegisterLayout* LayoutOf(int index);
// "r GG NN\r" and "w GG NN " (the image's hex text follows) of table index 0..9; "" otherwise.
std::string ReadCommandOf(int index);
std::string WriteCommandPrefixOf(int index);
// The table index a command reads, or writes (its prefix and something after it); -1 for none.
int IndexReadBy(const std::string& command);
int IndexWrittenBy(const std::string& command);

// A register image; empty where a register holds none.
using RegisterImage = Bytes;
// A complete, checked image for table index 0..9 with the given data bytes (cut or padded with
// zeros to the register's data bytes). Empty for another index.
RegisterImage MakeRegisterImage(int index, const Bytes& data);
// The image carries the register's header (group, number, length, 0) and its length.
bool HasHeaderOf(int index, const Bytes& image);

}  // namespace tarvek::sim
