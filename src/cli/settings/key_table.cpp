#include "cli/settings/key_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <iterator>

#include "printer/code_page_table.h"
#include "printer/printer_domain.h"
#include "wifimodule/module_enums.h"
#include "wifimodule/module_limits.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

constexpr Choice ChoiceOf(const PrinterValue& v) {
    return Choice{v.name, v.number, v.alias};
}
// The module's lists: the number is the list position the save packs.
constexpr Choice ChoiceOf(const ModuleName& n) {
    return Choice{n.name, n.position, nullptr};
}
// An engine table as choices.
template <class Entry, std::size_t N>
constexpr std::array<Choice, N> Choices(const Entry (&entries)[N]) {
    std::array<Choice, N> choices{};
    for (std::size_t i = 0; i < N; ++i) {
        choices[i] = ChoiceOf(entries[i]);
    }
    return choices;
}
constexpr auto kEmulationChoices = Choices(kEmulations);
constexpr auto kPowerSaveChoices = Choices(kPowerSaveModes);
constexpr auto kBaudChoices = Choices(kPrinterBaudRates);
constexpr auto kParityChoices = Choices(kParities);
constexpr auto kDataBitsChoices = Choices(kDataBits);
constexpr auto kStopBitsChoices = Choices(kStopBits);
constexpr auto kFlowChoices = Choices(kFlows);
constexpr Choice kOnOff[] = {{"on", 1, nullptr}, {"off", 0, nullptr}};
constexpr auto kWifiModes = Choices(kWifiModeNames);
constexpr auto kEncryptions = Choices(kEncryptionNames);
constexpr auto kAuths = Choices(kAuthenticationNames);
constexpr auto kWpaAuths = Choices(kWpaAuthenticationNames);
constexpr auto kWpaCiphers = Choices(kWpaCipherNames);

template <std::size_t N>
constexpr KeySpec List(KeyId id, const char* name, Group group, const Choice (&choices)[N],
                       Reported reported) {
    return {id, name, group, ValueKind::Choice, choices, static_cast<int>(N),
            0,  0,    false, reported};
}
template <std::size_t N>
constexpr KeySpec List(KeyId id, const char* name, Group group,
                       const std::array<Choice, N>& choices, Reported reported) {
    return {id, name, group, ValueKind::Choice, choices.data(), static_cast<int>(N),
            0,  0,    false, reported};
}
constexpr KeySpec Kind(KeyId id, const char* name, Group group, ValueKind kind, int min, int max,
                       bool secret, Reported reported) {
    return {id, name, group, kind, nullptr, 0, min, max, secret, reported};
}

using G = Group;
using K = ValueKind;
using R = Reported;
constexpr KeySpec kKeys[kKeyCount] = {
    List(KeyId::Emulation, "emulation", G::Printer, kEmulationChoices, R::Query),
    List(KeyId::PowerSave, "power-save", G::Printer, kPowerSaveChoices, R::Never),
    Kind(KeyId::PowerSaveMinutes, "power-save.minutes", G::Printer, K::Range, kMinPowerSaveMinutes,
         kMaxPowerSaveMinutes, false, R::Never),
    Kind(KeyId::CodePage, "code-page", G::Printer, K::CodePage, 0, kCodePageCount - 1, false,
         R::Never),
    Kind(KeyId::BluetoothPin, "bluetooth.pin", G::Bluetooth, K::Pin, 1, kMaxPinLength, true,
         R::Never),
    List(KeyId::BluetoothDiscoverable, "bluetooth.discoverable", G::Bluetooth, kOnOff, R::Query),
    List(KeyId::SerialBaud, "serial.baud", G::Serial, kBaudChoices, R::Line),
    List(KeyId::SerialParity, "serial.parity", G::Serial, kParityChoices, R::Line),
    List(KeyId::SerialDataBits, "serial.data-bits", G::Serial, kDataBitsChoices, R::Line),
    List(KeyId::SerialStopBits, "serial.stop-bits", G::Serial, kStopBitsChoices, R::Line),
    List(KeyId::SerialFlow, "serial.flow", G::Serial, kFlowChoices, R::Never),
    Kind(KeyId::WifiIp, "wifi.ip", G::Wifi, K::Address, 0, 0, false, R::Query),
    Kind(KeyId::WifiNetmask, "wifi.netmask", G::Wifi, K::Address, 0, 0, false, R::Query),
    Kind(KeyId::WifiGateway, "wifi.gateway", G::Wifi, K::Address, 0, 0, false, R::Query),
    Kind(KeyId::WifiDns, "wifi.dns", G::Wifi, K::Address, 0, 0, false, R::Query),
    Kind(KeyId::WifiSsid, "wifi.ssid", G::Wifi, K::Text, 0, kMaxSsidBytes, false, R::Query),
    List(KeyId::WifiMode, "wifi.mode", G::Wifi, kWifiModes, R::Query),
    Kind(KeyId::WifiChannel, "wifi.channel", G::Wifi, K::Range, kFirstChannel, kLastChannel, false,
         R::Query),
    List(KeyId::WifiEncryption, "wifi.encryption", G::Wifi, kEncryptions, R::Query),
    Kind(KeyId::WifiKeyId, "wifi.key-id", G::Wifi, K::Range, 1, kWepKeyCount, false, R::Query),
    List(KeyId::WifiAuth, "wifi.auth", G::Wifi, kAuths, R::Query),
    Kind(KeyId::WifiWepKey1, "wifi.wep.key1", G::Wifi, K::WepKey, 0, 0, true, R::Query),
    Kind(KeyId::WifiWepKey2, "wifi.wep.key2", G::Wifi, K::WepKey, 0, 0, true, R::Query),
    Kind(KeyId::WifiWepKey3, "wifi.wep.key3", G::Wifi, K::WepKey, 0, 0, true, R::Query),
    Kind(KeyId::WifiWepKey4, "wifi.wep.key4", G::Wifi, K::WepKey, 0, 0, true, R::Query),
    List(KeyId::WifiWpaAuth, "wifi.wpa.auth", G::Wifi, kWpaAuths, R::Query),
    List(KeyId::WifiWpaCipher, "wifi.wpa.cipher", G::Wifi, kWpaCiphers, R::Query),
    Kind(KeyId::WifiPassphrase, "wifi.passphrase", G::Wifi, K::Passphrase, kMinPassphraseChars,
         kMaxPassphraseChars, true, R::Query),
};

constexpr const char* kGroupNames[] = {"printer", "bluetooth", "serial", "wifi"};

// A whole decimal number without sign, spaces or leading junk, within [min, max].
bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& out) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    out = std::stoll(text);
    return out >= min && out <= max;
}

bool ParseAddress(const std::string& text, std::int64_t& packed) {
    std::uint32_t value = 0;
    std::size_t start = 0;
    for (int field = 0; field < 4; ++field) {
        const std::size_t end = field < 3 ? text.find('.', start) : text.size();
        std::int64_t number = 0;
        if (end == std::string::npos ||
            !ParseNumber(text.substr(start, end - start), 0, 255, number)) {
            return false;
        }
        value = (value << 8) | static_cast<std::uint32_t>(number);
        start = end + 1;
    }
    packed = value;
    return true;
}

bool ParseWepKey(const std::string& text, Value& value) {
    const auto length = static_cast<int>(text.size());
    const bool hex = (length == kWep40Length.hexDigits || length == kWep104Length.hexDigits) &&
                     std::all_of(text.begin(), text.end(), [](char c) {
                         return std::isxdigit(static_cast<unsigned char>(c));
                     });
    if (hex) {
        value.keyFormat = kKeyFormatHex;
    } else if (length <= kWep104Length.bytes && IsPrintableAscii(text)) {
        value.keyFormat = kKeyFormatAscii;
    } else {
        return false;
    }
    value.text = text;
    return true;
}

bool ParseChoice(const KeySpec& spec, const std::string& text, Value& value) {
    for (int i = 0; i < spec.choiceCount; ++i) {
        const Choice& c = spec.choices[i];
        if (SameLetters(text, c.name) || (c.alias != nullptr && SameLetters(text, c.alias))) {
            value.number = c.number;
            return true;
        }
    }
    return false;
}

}  // namespace

const KeySpec& Spec(KeyId id) {
    return kKeys[static_cast<int>(id)];
}

const KeySpec* FindKey(const std::string& name) {
    for (const KeySpec& spec : kKeys) {
        if (name == spec.name) {
            return &spec;
        }
    }
    return nullptr;
}

const char* GroupName(Group group) {
    return kGroupNames[static_cast<int>(group)];
}

std::string MemberName(const KeySpec& spec) {
    const std::string name = spec.name;
    const std::string prefix = std::string(GroupName(spec.group)) + ".";
    return name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : name;
}

KeyId LineKey(LineField field) {
    static_assert(static_cast<int>(KeyId::SerialFlow) - static_cast<int>(KeyId::SerialBaud) + 1 ==
                      kLineFieldCount,
                  "one serial key per line field, in the fields' order");
    return static_cast<KeyId>(static_cast<int>(KeyId::SerialBaud) + static_cast<int>(field));
}

KeyId WepKey(int index) {
    return static_cast<KeyId>(static_cast<int>(KeyId::WifiWepKey1) + index);
}

bool IsWifiKey(KeyId id) {
    return Spec(id).group == Group::Wifi;
}

std::string FormatValue(const KeySpec& spec, const Value& value) {
    switch (spec.kind) {
        case ValueKind::Choice:
            for (int i = 0; i < spec.choiceCount; ++i) {
                if (spec.choices[i].number == value.number) {
                    return spec.choices[i].name;
                }
            }
            return "?" + std::to_string(value.number);
        case ValueKind::CodePage: {
            const char* name = CodePageName(static_cast<int>(value.number));
            return name != nullptr ? name : "?" + std::to_string(value.number);
        }
        case ValueKind::Range:
            return std::to_string(value.number);
        case ValueKind::Address: {
            const auto a = static_cast<std::uint32_t>(value.number);
            char text[16];
            std::snprintf(text, sizeof text, "%u.%u.%u.%u", (a >> 24) & 0xFF, (a >> 16) & 0xFF,
                          (a >> 8) & 0xFF, a & 0xFF);
            return text;
        }
        default:
            return value.text;
    }
}

bool IsNumeric(const KeySpec& spec) {
    if (spec.kind == ValueKind::Range) {
        return true;
    }
    return spec.kind == ValueKind::Choice &&
           std::all_of(spec.choices, spec.choices + spec.choiceCount, [](const Choice& c) {
               return std::isdigit(static_cast<unsigned char>(c.name[0]));
           });
}

bool ParseValue(const KeySpec& spec, const std::string& text, Value& value) {
    value = Value{};
    switch (spec.kind) {
        case ValueKind::Choice:
            return ParseChoice(spec, text, value);
        case ValueKind::Range:
            return ParseNumber(text, spec.min, spec.max, value.number);
        case ValueKind::CodePage:
            for (int number = 0; number < kCodePageCount; ++number) {
                if (SameLetters(text, CodePageName(number))) {
                    value.number = number;
                    return true;
                }
            }
            return ParseNumber(text, spec.min, spec.max, value.number);
        case ValueKind::Address:
            return ParseAddress(text, value.number);
        case ValueKind::Text:
            value.text = text;
            return static_cast<int>(text.size()) <= spec.max &&
                   std::none_of(text.begin(), text.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        case ValueKind::Pin:
            value.text = text;
            return !text.empty() && IsSendablePin(text);
        case ValueKind::Passphrase:
            value.text = text;
            return IsStorablePassphrase(text);
        case ValueKind::WepKey:
            return ParseWepKey(text, value);
    }
    return false;
}

}  // namespace tarvek::cli
