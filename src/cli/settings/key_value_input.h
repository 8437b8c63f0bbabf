// Settings as a technician writes them: KEY=VALUE arguments, and the one step every input
// (command line, profile, units file) goes through: the key looked up in the table, a
// "${env:NAME}" value taken from the environment, the value checked against the key's values.
// A refusal is a result naming where, which key and which value; the output words it.
#pragma once

#include <functional>
#include <string>

#include "cli/settings/key_table.h"

namespace tarvek::cli {

enum class Problem : int {
    None,
    // one value
    NotKeyValue,  // an argument without "=" (value: the argument)
    UnknownKey,   // key
    BadValue,     // key, value
    RepeatedKey,  // key
    EnvMissing,   // key, detail: the variable
    // a file
    FileUnreadable,  // source
    FileUnwritable,  // source
    NotJson,         // source, detail: the parser's words
    NotAProfile,     // source: no "tarvek-profile" version 1 object
    UnknownGroup,    // source, key: the group
    WrongType,       // source, key: a group that is no object, or a value that is no text/number
    NoUnits,         // source: a units file without a header or without rows
    BadUnitsRow,     // source, line: more cells than the header has keys
    OpenQuote,       // source, line: a quoted cell without its closing quote
    // keys together
    WepKeyNeedsWep,     // key: a WEP key without a 40-bit or 104-bit encryption beside it
    WepKeyWrongSize,    // key, detail: the encryption
    FixedByEncryption,  // key, value: what the encryption makes it, detail: the encryption
    WpaWithoutAuth,     // "wpa" with wifi.wpa.auth "none": it would read back as no encryption
    DataBitsParity,     // 7 data bits without parity
    MinutesNeedMode,    // power-save.minutes without power-save
    // keys and the printer, found before anything is written
    CodePageNeedsEscPos,
    LineFixedInCpcl,  // key
    WpaNotOffered,    // the module is WEP-only
    ModuleRefusal,    // the save's own check refused (the outcome's sequence says why)
    // the command line
    PortMissing,     // a verb that talks to a printer without --port
    SeveralPorts,    // --port given more than once to a verb that talks to one printer
    StationPorts,    // the station's ports: one given twice, "auto", or two USB printers
    UnitsByAddress,  // bt:units without --each, or without a units file by Bluetooth address
    // the bytes of a raw exchange
    SendSource,     // not exactly one of --hex, --text and --file, or no byte in it
    BadHex,         // value: the --hex text
    BadEscape,      // value: the --text text
    ChangesModule,  // ISP-mode entry or a flash write without --force
};

struct InputError {
    Problem problem = Problem::None;
    std::string source;  // the file, or "" for the command line
    std::string key;
    std::string value;
    std::string detail;
    int line = 0;
    explicit operator bool() const { return problem != Problem::None; }
};

// The environment, for "${env:NAME}" values: true with the value when NAME is set.
using EnvLookup = std::function<bool(const std::string& name, std::string& value)>;

// Checks one value for a key and adds it; a key already present is refused.
bool AddSetting(Settings& settings, const KeySpec& spec, const std::string& text,
                const EnvLookup& env, InputError& error);
// "KEY=VALUE" (split at the first "=").
bool AddKeyValue(Settings& settings, const std::string& argument, const EnvLookup& env,
                 InputError& error);

}  // namespace tarvek::cli
