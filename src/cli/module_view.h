// The Wi-Fi module as the keys see it: one read captured whole (the settings keep only the last
// address and never the pre-shared key, so each register's image is kept as it came), the read
// values under their keys (the dialog's read mapping), and the form a save takes, built from the
// read and then overridden by the settings asked for.
#pragma once

#include <cstdint>
#include <string>

#include "cli/key_table.h"
#include "wifimodule/wifi_sequences.h"

namespace tarvek::cli {

struct ModuleRead {
    WifiSettings settings;
    std::uint32_t address[4] = {};  // IP, netmask, gateway, DNS (packed)
    Bytes images[kRegisterCount];   // each register's image as read; empty when not read
};

// An observer for ReadWifiSettings that keeps each register's address and image, then calls
// next (which may be empty).
StepObserver CaptureRead(ModuleRead& read, StepObserver next);

// Every Wi-Fi key's value as read; WEP keys only under a 40-bit or 104-bit encryption (their
// size), as hex digits.
Settings WifiValues(const ModuleRead& read);
std::string MacAddress(const ModuleRead& read);

// The save's form: the read values as the dialog shows them, then every Wi-Fi setting asked for.
// A WEP key asked for goes into the stored key texts of settings (in its format), so that each
// key asked for is written and every other key is written back as read.
WifiFormValues MergeForm(const ModuleRead& read, const Settings& settings, WifiSettings& working);

// What a read after a save of form over working should find (working: the settings after the
// save): the images the save built, taken in as the read takes a reply in. before supplies
// the MAC address and the module kind.
ModuleRead ExpectedRead(const ModuleRead& before, const WifiSettings& working,
                        const WifiFormValues& form);

// Two values of a key are the same setting (WEP keys by their bytes, whatever their form).
bool SameValue(const KeySpec& spec, const Value& a, const Value& b);

}  // namespace tarvek::cli
