// Every setting tarvek-cli can write, as one table: its key (the same on the command line, in a
// profile and in the output), its profile group, the values it takes, whether it is a secret and
// whether the printer reports it. Parsing, validation, profiles, the apply and the output all
// walk this table; none keeps a list of keys of its own.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "printer/printer_domain.h"

namespace tarvek::cli {

// In table order; the order of the output and of a saved profile.
enum class KeyId : int {
    Emulation,
    PowerSave,
    PowerSaveMinutes,
    CodePage,
    BluetoothPin,
    BluetoothDiscoverable,
    SerialBaud,
    SerialParity,
    SerialDataBits,
    SerialStopBits,
    SerialFlow,
    WifiIp,
    WifiNetmask,
    WifiGateway,
    WifiDns,
    WifiSsid,
    WifiMode,
    WifiChannel,
    WifiEncryption,
    WifiKeyId,
    WifiAuth,
    WifiWepKey1,
    WifiWepKey2,
    WifiWepKey3,
    WifiWepKey4,
    WifiWpaAuth,
    WifiWpaCipher,
    WifiPassphrase,
};
inline constexpr int kKeyCount = static_cast<int>(KeyId::WifiPassphrase) + 1;

enum class Group : int { Printer, Bluetooth, Serial, Wifi };

enum class ValueKind : int {
    Choice,      // one name of a list (each with the number the engine takes)
    Range,       // a whole number from min to max
    CodePage,    // a code-page name or its number
    Address,     // a dotted IPv4 address
    Text,        // bytes without control characters, at most max of them
    Pin,         // what the printer's PIN command can carry
    Passphrase,  // printable ASCII, min to max characters
    WepKey,      // 10 or 26 hex digits, or up to 13 characters
};

// How the printer tells a value: it answers a query, the line it answers on tells it (serial
// transport only), or it has no query for it.
enum class Reported : int { Query, Line, Never };

struct Choice {
    const char* name;
    int number;         // what the engine takes (a list position, an emulation, a baud rate)
    const char* alias;  // another spelling accepted on input, or nullptr
};

struct KeySpec {
    KeyId id;
    const char* name;
    Group group;
    ValueKind kind;
    const Choice* choices;  // Choice only
    int choiceCount;
    int min, max;  // Range, Text (max bytes), Passphrase (characters)
    bool secret;
    Reported reported;
};

// A value as the engine takes it: a number (choice, range, code page, packed address) or a text
// (SSID, PIN, passphrase, WEP key; keyFormat says how a WEP key is written).
struct Value {
    std::int64_t number = 0;
    std::string text;
    int keyFormat = -1;  // WEP keys: kKeyFormatHex or kKeyFormatAscii
    bool operator==(const Value& o) const {
        return number == o.number && text == o.text && keyFormat == o.keyFormat;
    }
    bool operator!=(const Value& o) const { return !(*this == o); }
};

// Settings to write or values read, in table order.
using Settings = std::map<KeyId, Value>;

const KeySpec& Spec(KeyId id);
// The key of a name (exact, lower case); nullptr for a name the table does not have.
const KeySpec* FindKey(const std::string& name);
const char* GroupName(Group group);
// The key's member name inside its profile group ("pin" for "bluetooth.pin"; printer keys
// keep their whole name).
std::string MemberName(const KeySpec& spec);
// The serial key of a field of the printer's line (serial.baud for LineField::Baud, ...): the
// line options, the rules and the read-back go from one to the other through this alone.
KeyId LineKey(LineField field);
// The key of WEP key index (0..3).
KeyId WepKey(int index);
// wifi.key-id counts the keys from 1, as the dialog's list names them ("KEY ID 1"); the module's
// key index from 0.
constexpr int KeyIdOfIndex(int keyIndex) {
    return keyIndex + 1;
}
constexpr int IndexOfKeyId(int keyId) {
    return keyId - 1;
}
bool IsWifiKey(KeyId id);

// The value as written on output and in profiles: the choice's name, the number, the dotted
// address, the text. An engine number outside the list shows as "?N".
std::string FormatValue(const KeySpec& spec, const Value& value);
// True when a value shows as a JSON number (ranges and lists of numbers).
bool IsNumeric(const KeySpec& spec);

// Parses a value for a key. false when the key does not take it.
bool ParseValue(const KeySpec& spec, const std::string& text, Value& value);

}  // namespace tarvek::cli
