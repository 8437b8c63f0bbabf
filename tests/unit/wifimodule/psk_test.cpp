#include "wifimodule/psk.h"

#include <gtest/gtest.h>

#include <string>

// The published vectors; the routines under the derivation (SHA-1, HMAC, PBKDF2) are checked
// natively against OpenSSL on random texts, an empty passphrase among them.
namespace tarvek {
namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

// IEEE 802.11i-2004, Annex H.4.
TEST(DerivePsk, Ieee80211iVectors) {
    struct Case {
        const char* passphrase;
        const char* ssid;
        const char* psk;
    };
    const Case cases[] = {
        {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
        {"ThisIsAPassword", "ThisIsASSID",
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
         "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
    };
    for (const Case& c : cases) {
        const Psk psk = DerivePsk(c.passphrase, c.ssid);
        EXPECT_EQ(Hex(psk.data(), psk.size()), c.psk) << c.passphrase;
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
