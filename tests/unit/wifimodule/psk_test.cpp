#include "wifimodule/psk.h"

#include <gtest/gtest.h>

#include <string>

#include "wifimodule/module_codec.h"

// The published vectors; natively the derivation is also checked against OpenSSL's PBKDF2 on
// random texts, an empty passphrase among them.
namespace tarvek {
namespace {

// IEEE 802.11i-2004, Annex H.4.
TEST(DerivePsk, Ieee80211iVectors) {
    struct Case {
        const char* passphrase;
        const char* ssid;
        const char* psk;
    };
    const Case cases[] = {
        {"password", "IEEE", "F42C6FC52DF0EBEF9EBB4B90B38A5F902E83FE1B135A70E23AED762E9710A12E"},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
         "BECB93866BB8C3832CB777C2F559807C8C59AFCB6EAE734885001300A981CC62"},
    };
    for (const Case& c : cases) {
        const Psk psk = DerivePsk(c.passphrase, c.ssid);
        EXPECT_EQ(EncodeHexText(psk.data(), static_cast<int>(psk.size())), c.psk) << c.passphrase;
    }
}

TEST(DerivePsk, TextsAreCutAt32BytesAndAtAZeroByte) {
    const std::string a32(32, 'a'), z32(32, 'Z');
    EXPECT_EQ(DerivePsk((a32 + "tail").c_str(), (z32 + "more").c_str()),
              DerivePsk(a32.c_str(), z32.c_str()));
    const char ssidWithZero[] = "IEEE\0hidden";
    EXPECT_EQ(DerivePsk("password", ssidWithZero), DerivePsk("password", "IEEE"));
}

}  // namespace
}  // namespace tarvek
