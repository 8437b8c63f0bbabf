// Cross-check of the key derivation against OpenSSL's PBKDF2 (tests only; the program carries
// its own routines).
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <string>

#include "wifimodule/psk.h"

namespace tarvek {
namespace {

std::string RandomText(std::mt19937& rng, int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> ch(1, 255);
    std::string s(static_cast<std::size_t>(length(rng)), ' ');
    for (char& c : s) {
        c = static_cast<char>(ch(rng));
    }
    return s;
}

TEST(DerivePsk, AgreesWithOpenSslOnRandomPairs) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 300; ++i) {
        const std::string pass = i == 0 ? "" : RandomText(rng, 40);  // HMAC with an empty key
        const std::string ssid = RandomText(rng, 40);
        const std::string p = pass.substr(0, 32), s = ssid.substr(0, 32);
        unsigned char expected[32];
        ASSERT_EQ(PKCS5_PBKDF2_HMAC_SHA1(p.data(), static_cast<int>(p.size()),
                                         reinterpret_cast<const unsigned char*>(s.data()),
                                         static_cast<int>(s.size()), 4096, 32, expected),
                  1);
        const Psk psk = DerivePsk(pass.c_str(), ssid.c_str());
        EXPECT_TRUE(std::equal(psk.begin(), psk.end(), expected)) << "pair " << i;
    }
}

}  // namespace
}  // namespace tarvek
