// Misbehaviour the simulated printer can be told to show, for tests of every failure path.
// Every field's neutral value leaves the printer healthy.
#pragma once

#include <cstdint>
#include <set>

namespace tarvek::sim {

struct Faults {
    // Answers nothing at all.
    bool silent = false;
    // Answers the first N commands, then nothing (-1: off).
    int silentAfterCommands = -1;
    // Extra milliseconds before every answer.
    std::uint32_t lateMs = 0;
    // Sends each answer in this many pieces (1 or less: whole), pieceGapMs apart.
    int pieces = 1;
    std::uint32_t pieceGapMs = 50;
    // Every answer byte is scrambled (XOR 0x5A): never an emulation code, never "701".
    bool garbage = false;
    // Register table indexes (0..9, 10 = the MAC query) refused on read or on write.
    std::set<int> refuseRead;
    std::set<int> refuseWrite;
    // Read replies of these indexes carry a wrong image check.
    std::set<int> corruptReadCheck;
    // Takes in only the first N bytes of the host's traffic (preamble bytes included) and
    // then nothing more: the printer died there (-1: off).
    long long stopAfterHostByte = -1;
    // USB: the device is gone after N commands (-1: off) for usbGoneForMs milliseconds
    // (0: for good).
    int usbGoneAfterCommands = -1;
    std::uint32_t usbGoneForMs = 0;
};

}  // namespace tarvek::sim
