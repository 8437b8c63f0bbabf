#include "wifimodule/psk.h"

#include <gtest/gtest.h>

#include <string>

#include "wifimodule/sha1.h"

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

const std::uint8_t* U8(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

std::string Sha1Hex(const std::string& message) {
    std::uint8_t d[kSha1DigestSize];
    Sha1Of(U8(message), message.size(), d);
    return Hex(d, sizeof(d));
}

// FIPS 180-2, appendix A (SHA-1 examples).
TEST(Sha1, PublishedVectors) {
    EXPECT_EQ(Sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    EXPECT_EQ(Sha1Hex(std::string(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
    EXPECT_EQ(Sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

TEST(Sha1, StreamingInPiecesMatchesOneShot) {
    const std::string message(200, 'q');
    for (std::size_t split : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 199u}) {
        Sha1 sha;
        sha.Add(U8(message), split);
        sha.Add(U8(message) + split, message.size() - split);
        std::uint8_t d[kSha1DigestSize];
        sha.Finish(d);
        EXPECT_EQ(Hex(d, sizeof(d)), Sha1Hex(message)) << "split " << split;
    }
}

// RFC 2202, section 3 (HMAC-SHA-1 test cases 1, 2, 3, 6, 7).
TEST(HmacSha1, Rfc2202Vectors) {
    struct Case {
        std::string key, data, mac;
    };
    const Case cases[] = {
        {std::string(20, '\x0b'), "Hi There", "b617318655057264e28bc0b6fb378c8ef146be00"},
        {"Jefe", "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {std::string(20, '\xaa'), std::string(50, '\xdd'),
         "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {std::string(80, '\xaa'),
         "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data",
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    for (const Case& c : cases) {
        std::uint8_t mac[kSha1DigestSize];
        HmacSha1Of(U8(c.key), c.key.size(), U8(c.data), c.data.size(), mac);
        EXPECT_EQ(Hex(mac, sizeof(mac)), c.mac) << c.data;
    }
}

// RFC 6070 (PBKDF2 HMAC-SHA1 test vectors).
TEST(Pbkdf2, Rfc6070Vectors) {
    struct Case {
        std::string password, salt;
        int iterations;
        std::size_t length;
        std::string key;
    };
    const Case cases[] = {
        {"password", "salt", 1, 20, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, 20, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, 20, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 25,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, 16,
         "56fa6aa75548099dcc37d7f03425e0c3"},
    };
    for (const Case& c : cases) {
        std::uint8_t key[32];
        Pbkdf2Sha1(U8(c.password), c.password.size(), U8(c.salt), c.salt.size(), c.iterations, key,
                   c.length);
        EXPECT_EQ(Hex(key, c.length), c.key) << c.password << " / " << c.iterations;
    }
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
    // An empty passphrase still gives a key (HMAC with an empty key).
    std::uint8_t expected[32];
    Pbkdf2Sha1(nullptr, 0, U8("net"), 3, kPskIterations, expected, sizeof(expected));
    const Psk empty = DerivePsk("", "net");
    EXPECT_EQ(Hex(empty.data(), empty.size()), Hex(expected, sizeof(expected)));
}

}  // namespace
}  // namespace tarvek
