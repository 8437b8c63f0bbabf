// The form merge: the value a save writes is the read value with exactly the keys asked for in.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "cli/settings/key_value_input.h"
#include "cli/settings/module_values.h"

namespace tarvek::cli {
namespace {

auto Fields(const ModuleSettings& m) {
    return std::tie(m.addresses, m.ssid, m.mode, m.channel, m.encryption, m.keyIndex, m.auth,
                    m.wpaAuth, m.wpaCipher, m.wep40, m.wep104, m.passphrase);
}

TEST(ModuleValues, ASaveWritesTheReadValueWithExactlyTheKeysAskedFor) {
    ModuleSettings read;
    read.addresses = {0xC0A80064, 0xFFFFFF00, 0xC0A80001, 0xC0A80002};
    read.ssid = "shop";
    read.channel = 6;
    read.encryption = Encryption::Wep40;
    read.wep40[1] = {1, 2, 3, 4, 5};
    read.wep104[0].fill(9);
    using Edit = void (*)(ModuleSettings&);
    const std::pair<const char*, Edit> cases[] = {
        {"", [](ModuleSettings&) {}},
        {"wifi.gateway=10.0.0.1 wifi.ssid=floor",
         [](ModuleSettings& m) { m.addresses[2] = 0x0A000001, m.ssid = "floor"; }},
        {"wifi.wep.key1=abcde wifi.key-id=2",
         [](ModuleSettings& m) {
             m.wep40[0] = {'a', 'b', 'c', 'd', 'e'}, m.keyIndex = 1;
         }},
        {"wifi.encryption=104-bit wifi.wep.key2=0102030405060708090a0b0c0d",
         [](ModuleSettings& m) {
             m.encryption = Encryption::Wep104;
             m.wep104[1] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
         }},
        {"wifi.encryption=wpa wifi.wpa.auth=wpa2-psk wifi.wpa.cipher=aes wifi.passphrase=letmein99 "
         "wifi.mode=infrastructure wifi.channel=11 wifi.auth=shared-key",
         [](ModuleSettings& m) {
             m.encryption = Encryption::Wpa, m.wpaAuth = WpaAuthentication::Wpa2Psk;
             m.wpaCipher = WpaCipher::Aes, m.passphrase = "letmein99";
             m.mode = WifiMode::Infrastructure, m.channel = 11, m.auth = Authentication::SharedKey;
         }},
    };
    for (const auto& [pairs, edit] : cases) {
        Settings settings;
        InputError error;
        std::istringstream in(pairs);
        for (std::string pair; in >> pair;) {
            ASSERT_TRUE(AddKeyValue(settings, pair, {}, error)) << pair;
        }
        ModuleSettings wanted = read;
        edit(wanted);
        EXPECT_TRUE(Fields(SettingsToSave(read, settings)) == Fields(wanted)) << pairs;
    }
}

}  // namespace
}  // namespace tarvek::cli
