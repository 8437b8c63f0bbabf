#include "cli/rules.h"

#include <algorithm>
#include <iterator>

#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

constexpr int kNoWep = 0, kWpa = 3;

// What the module stores for a key whatever was asked, under an encryption (the save's packing:
// without encryption the authentication is Open System, with WPA the key index is the first and
// the authentication Shared Key, and WPA fields are cleared unless WPA is chosen).
struct FixedValue {
    int encryption;
    KeyId key;
    int number;
};
constexpr FixedValue kFixed[] = {
    {kNoWep, KeyId::WifiAuth, 1},
    {kNoWep, KeyId::WifiWpaAuth, 0},
    {kNoWep, KeyId::WifiWpaCipher, 0},
    {kWepSize40, KeyId::WifiWpaAuth, 0},
    {kWepSize40, KeyId::WifiWpaCipher, 0},
    {kWepSize104, KeyId::WifiWpaAuth, 0},
    {kWepSize104, KeyId::WifiWpaCipher, 0},
    {kWpa, KeyId::WifiKeyId, 1},
    {kWpa, KeyId::WifiAuth, 2},
};

bool Refuse(InputError& error, Problem problem, KeyId key) {
    error.problem = problem;
    error.key = Spec(key).name;
    return false;
}

// A WEP key's length for the key size: 10 or 26 hex digits, or up to 5 or 13 characters.
bool FitsSize(const Value& key, int size) {
    const std::size_t bytes = size == kWepSize40 ? 5 : 13;
    return key.keyFormat == kKeyFormatAscii ? key.text.size() <= bytes
                                            : key.text.size() == 2 * bytes;
}

}  // namespace

SerialLineSettings LineAfter(const SerialLineSettings& current, const Settings& settings) {
    SerialLineSettings line = current;
    for (int f = 0; f < kLineFieldCount; ++f) {
        const auto it = settings.find(LineKey(static_cast<LineField>(f)));
        if (it != settings.end()) {
            line.*kLineFields[f].member = static_cast<int>(it->second.number);
        }
    }
    return line;
}

bool HasSerialKeys(const Settings& settings) {
    return std::any_of(settings.begin(), settings.end(),
                       [](const auto& s) { return Spec(s.first).group == Group::Serial; });
}

bool CheckEncryptionRules(const Settings& settings, int encryption, InputError& error) {
    for (const FixedValue& fixed : kFixed) {
        const auto it = settings.find(fixed.key);
        if (fixed.encryption == encryption && it != settings.end() &&
            it->second.number != fixed.number) {
            error.value = FormatValue(Spec(fixed.key), Value{fixed.number, "", -1});
            error.detail = FormatValue(Spec(KeyId::WifiEncryption), Value{encryption, "", -1});
            return Refuse(error, Problem::FixedByEncryption, fixed.key);
        }
    }
    const auto auth = settings.find(KeyId::WifiWpaAuth);
    if (encryption == kWpa && auth != settings.end() && auth->second.number == 0) {
        return Refuse(error, Problem::WpaWithoutAuth, KeyId::WifiWpaAuth);
    }
    return true;
}

void DropFixedKeys(Settings& settings, int encryption) {
    for (const FixedValue& fixed : kFixed) {
        if (fixed.encryption == encryption) {
            settings.erase(fixed.key);
        }
    }
}

bool CheckSettings(const Settings& settings, const SerialLineSettings& line, InputError& error) {
    const auto encryption = settings.find(KeyId::WifiEncryption);
    for (int k = 0; k < kWepKeyCount; ++k) {
        const auto key = settings.find(WepKey(k));
        if (key == settings.end()) {
            continue;
        }
        const int size =
            encryption == settings.end() ? -1 : static_cast<int>(encryption->second.number);
        if (size != kWepSize40 && size != kWepSize104) {
            return Refuse(error, Problem::WepKeyNeedsWep, WepKey(k));
        }
        if (!FitsSize(key->second, size)) {
            error.detail = FormatValue(Spec(KeyId::WifiEncryption), encryption->second);
            return Refuse(error, Problem::WepKeyWrongSize, WepKey(k));
        }
    }
    if (encryption != settings.end() &&
        !CheckEncryptionRules(settings, static_cast<int>(encryption->second.number), error)) {
        return false;
    }
    const SerialLineSettings after = LineAfter(line, settings);
    if (after.dataBitsIndex == kDataBits7 && after.parityIndex == kParityNone) {
        return Refuse(error, Problem::DataBitsParity, KeyId::SerialDataBits);
    }
    if (settings.count(KeyId::PowerSaveMinutes) != 0 && settings.count(KeyId::PowerSave) == 0) {
        return Refuse(error, Problem::MinutesNeedMode, KeyId::PowerSaveMinutes);
    }
    return true;
}

}  // namespace tarvek::cli
