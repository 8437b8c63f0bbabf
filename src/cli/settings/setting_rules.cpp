#include "cli/settings/setting_rules.h"

#include <algorithm>
#include <iterator>

#include "wifimodule/encryption_rules.h"
#include "wifimodule/module_limits.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek::cli {
namespace {

// The key of a setting an encryption fixes, and its value as the key gives it.
KeyId FixedKey(FixedSetting setting) {
    switch (setting) {
        case FixedSetting::KeyIndex:
            return KeyId::WifiKeyId;
        case FixedSetting::Authentication:
            return KeyId::WifiAuth;
        case FixedSetting::WpaAuthentication:
            return KeyId::WifiWpaAuth;
        case FixedSetting::WpaCipher:
            break;
    }
    return KeyId::WifiWpaCipher;
}
int FixedNumber(const EncryptionFix& fix) {
    return fix.setting == FixedSetting::KeyIndex ? KeyIdOfIndex(fix.value) : fix.value;
}

bool Refuse(InputError& error, Problem problem, KeyId key) {
    error.problem = problem;
    error.key = Spec(key).name;
    return false;
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

bool CheckEncryptionRules(const Settings& settings, Encryption encryption, InputError& error) {
    for (const EncryptionFix& fix : kEncryptionFixes) {
        const KeyId key = FixedKey(fix.setting);
        const auto it = settings.find(key);
        if (fix.encryption == encryption && it != settings.end() &&
            it->second.number != FixedNumber(fix)) {
            error.value = FormatValue(Spec(key), Value{FixedNumber(fix), "", -1});
            error.detail = FormatValue(Spec(KeyId::WifiEncryption),
                                       Value{static_cast<int>(encryption), "", -1});
            return Refuse(error, Problem::FixedByEncryption, key);
        }
    }
    const auto auth = settings.find(KeyId::WifiWpaAuth);
    if (encryption == Encryption::Wpa && auth != settings.end() &&
        auth->second.number == static_cast<int>(WpaAuthentication::None)) {
        return Refuse(error, Problem::WpaWithoutAuth, KeyId::WifiWpaAuth);
    }
    return true;
}

void DropFixedKeys(Settings& settings, Encryption encryption) {
    for (const EncryptionFix& fix : kEncryptionFixes) {
        if (fix.encryption == encryption) {
            settings.erase(FixedKey(fix.setting));
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
        const WepKeyLength* length =
            encryption == settings.end()
                ? nullptr
                : WepKeyLengthOf(static_cast<Encryption>(encryption->second.number));
        if (length == nullptr) {
            return Refuse(error, Problem::WepKeyNeedsWep, WepKey(k));
        }
        if (WepKeyFit(*length, key->second.keyFormat, static_cast<int>(key->second.text.size())) !=
            KeyFit::Fits) {
            error.detail = FormatValue(Spec(KeyId::WifiEncryption), encryption->second);
            return Refuse(error, Problem::WepKeyWrongSize, WepKey(k));
        }
    }
    if (encryption != settings.end() &&
        !CheckEncryptionRules(settings, static_cast<Encryption>(encryption->second.number),
                              error)) {
        return false;
    }
    const SerialLineSettings after = LineAfter(line, settings);
    if (!IsLineThePrinterTakes(after)) {
        return Refuse(error, Problem::DataBitsParity, KeyId::SerialDataBits);
    }
    if (settings.count(KeyId::PowerSaveMinutes) != 0 && settings.count(KeyId::PowerSave) == 0) {
        return Refuse(error, Problem::MinutesNeedMode, KeyId::PowerSaveMinutes);
    }
    return true;
}

}  // namespace tarvek::cli
