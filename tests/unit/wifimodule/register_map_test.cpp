#include "wifimodule/wifi_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "sim/printer_state.h"
#include "support/fake_link.h"

namespace tarvek {
namespace {

using sim::MakeRegisterImage;

// A read reply as the module sends it: the code line, then the whole image in spaced hex.
std::string ReadReply(const Bytes& image) {
    std::string hex = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
    hex.pop_back();  // the payload's CR
    return "701\r\n" + hex + "\r\n";
}

int Parse(int index, const std::string& reply, WifiSettings& s, ReplyMode mode = ReplyMode::Read) {
    return ParseReply(index, reinterpret_cast<const std::uint8_t*>(reply.data()),
                      static_cast<int>(reply.size()), mode, s);
}

TEST(ParseReply, AcknowledgementRules) {
    WifiSettings s;
    EXPECT_EQ(Parse(0, "701", s, ReplyMode::Write), 0);
    EXPECT_EQ(Parse(0, "702\r\n", s, ReplyMode::Write), -1);
    EXPECT_EQ(Parse(0, "70", s, ReplyMode::Write), -1);
    // Read mode wants "701" CR LF, and a data field after it.
    const std::string good = ReadReply(MakeRegisterImage(0, {10, 0, 0, 1}));
    EXPECT_EQ(Parse(0, good, s), 0);
    EXPECT_EQ(Parse(0, "701 " + good.substr(4), s), -1);
    EXPECT_EQ(Parse(0, "701\r\n", s), -1);
    EXPECT_EQ(Parse(0, "701\r\n1234567", s), -1);
}

TEST(ParseReply, ReadOfTheIpAddressFillsTheAddressInPackedOrder) {
    WifiSettings s;
    // Bytes past the reply's count (hex digits, even) are not part of it.
    const std::string reply = ReadReply(MakeRegisterImage(0, {192, 168, 0, 100})) + "ABCD";
    ASSERT_EQ(ParseReply(0, reinterpret_cast<const std::uint8_t*>(reply.data()),
                         static_cast<int>(reply.size()) - 4, ReplyMode::Read, s),
              0);
    EXPECT_EQ(s.PackedAddress(), 0xC0A80064u);
}

TEST(ParseReply, DamagedImagesAreNotAcknowledged) {
    WifiSettings s;
    Bytes image = MakeRegisterImage(4, {'n', 'e', 't'});
    Bytes badCheck = image;
    badCheck.back() ^= 0x40;
    EXPECT_EQ(Parse(4, ReadReply(badCheck), s), -1);
    EXPECT_EQ(s.m_szSsid[0], 0);  // nothing taken from it
    // Another register's image, or a short one, is refused too.
    EXPECT_EQ(Parse(8, ReadReply(image), s), -1);
    Bytes shortImage(image.begin(), image.begin() + 20);
    EXPECT_EQ(Parse(4, ReadReply(shortImage), s), -1);
    EXPECT_EQ(Parse(4, ReadReply(image), s), 0);
    EXPECT_STREQ(s.m_szSsid, "net");
}

TEST(ParseReply, LongRepliesAreCutAt256Bytes) {
    WifiSettings s;
    std::string reply = "701\r\n" + std::string(600, '4') + "\r\n";
    EXPECT_EQ(Parse(kMacQueryIndex, reply, s), 0);
    EXPECT_EQ(Parse(0, reply, s), -1);
}

TEST(ParseReply, ThirtyTwoCharacterSsidIsKeptWhole) {
    WifiSettings s;
    std::memset(s.m_szSsid, 0, sizeof(s.m_szSsid));
    const std::string ssid(32, 'S');
    ASSERT_EQ(Parse(4, ReadReply(MakeRegisterImage(4, Bytes(ssid.begin(), ssid.end()))), s), 0);
    EXPECT_EQ(std::string(s.m_szSsid), ssid);
}

TEST(ParseReply, OptionBytesAndWepKeysAndMac) {
    WifiSettings s;
    ASSERT_EQ(Parse(5, ReadReply(MakeRegisterImage(5, {0x61, 0x45, 0x14})), s), 0);
    EXPECT_EQ(s.m_nWifiMode, 1);  // infrastructure
    EXPECT_EQ(s.m_nChannel, 6);
    EXPECT_EQ(s.m_nAuthMode, 1);   // Open System
    EXPECT_EQ(s.m_nKeyId, 1);      // key 2
    EXPECT_EQ(s.m_nWepType, 1);    // 40-bit
    EXPECT_EQ(s.m_nWpaMode, 4);    // WPA2 PSK
    EXPECT_EQ(s.m_nWpaCipher, 2);  // AES

    Bytes keys(20);
    for (int i = 0; i < 20; ++i) {
        keys[i] = static_cast<std::uint8_t>('a' + i);
    }
    ASSERT_EQ(Parse(6, ReadReply(MakeRegisterImage(6, keys)), s), 0);
    EXPECT_STREQ(s.m_szWep40Ascii[1], "fghij");
    EXPECT_STREQ(s.m_szWep40Hex[1], "666768696A");

    Bytes mac(16, 0);
    const Bytes m{0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x0A};
    std::copy(m.begin(), m.end(), mac.begin() + 8);
    ASSERT_EQ(Parse(kMacQueryIndex, ReadReply(mac), s), 0);
    EXPECT_STREQ(s.m_szMacAddress, "de:ad:be:ef:01:0a");
}

TEST(Options, PackingExamples) {
    WifiSettings s;
    s.m_nChannel = 11;
    s.m_nWifiMode = 1;
    s.m_nAuthMode = 2;
    s.m_nKeyId = 0;
    s.m_nWepType = 0;
    s.m_nWpaMode = 4;
    s.m_nWpaCipher = 2;
    std::uint8_t b[3];
    PackOptions(s, b);
    EXPECT_EQ(Bytes(b, b + 3), (Bytes{0xB1, 0x80, 0x14}));
    s.m_nChannel = 1;
    s.m_nWifiMode = 0;
    s.m_nKeyId = 2;
    s.m_nWepType = 1;
    s.m_nWpaMode = 0;
    s.m_nWpaCipher = 0;
    PackOptions(s, b);
    EXPECT_EQ(Bytes(b, b + 3), (Bytes{0x10, 0x89, 0x00}));
}

TEST(WepKeys, TypedKeyCountsOnlyForTheSelectedKeyOfTheSelectedSize) {
    WifiSettings s;
    std::strcpy(s.m_szWep40Hex[0], "1111111111");
    std::strcpy(s.m_szWep40Ascii[2], "abcde");
    s.m_nKeyFormat[2] = kKeyFormatAscii;
    std::strcpy(s.m_szWep104Hex[1], "000102030405060708090A0B0C");
    KeyEntry entry;
    entry.encryption = kWepSize40;
    entry.keyId = 1;
    entry.keyText[1] = "0A1B2C3D4E";
    entry.keyText[0] = "FFFFFFFFFF";  // not the selected key: ignored

    const Bytes image40 = BuildRegisterImage(6, s, entry);
    ASSERT_EQ(image40.size(), 28u);
    EXPECT_EQ(Bytes(image40.begin() + 4, image40.begin() + 9),
              (Bytes{0x11, 0x11, 0x11, 0x11, 0x11}));
    EXPECT_EQ(Bytes(image40.begin() + 9, image40.begin() + 14),
              (Bytes{0x0A, 0x1B, 0x2C, 0x3D, 0x4E}));
    EXPECT_EQ(Bytes(image40.begin() + 14, image40.begin() + 19), testing::B("abcde"));
    const std::uint16_t check = ComputeImageCheck(image40.data(), 26);
    EXPECT_EQ(image40[26], check & 0xFF);
    EXPECT_EQ(image40[27], check >> 8);

    // The 104-bit image carries the stored 104-bit keys, whatever was typed.
    const Bytes image104 = BuildRegisterImage(7, s, entry);
    ASSERT_EQ(image104.size(), 60u);
    EXPECT_EQ(image104[17], 0x00);
    EXPECT_EQ(image104[29], 0x0C);
    // A short ASCII key is padded with zeros; an odd hex digit leaves the byte incomplete.
    entry.keyText[1] = "ab";
    s.m_nKeyFormat[1] = kKeyFormatAscii;
    EXPECT_EQ(BuildWepKeyBytes(s, entry, kWepSize40, 1), 5);
    EXPECT_EQ(Bytes(s.m_abKeyBytes, s.m_abKeyBytes + 5), (Bytes{'a', 'b', 0, 0, 0}));
    EXPECT_EQ(BuildWepKeyBytes(s, entry, 3, 1), 0);
}

TEST(RegisterImage, IpAddressExample) {
    WifiSettings s;
    s.SetAddress(0xC0A80064);
    const Bytes image = BuildRegisterImage(0, s, KeyEntry{});
    EXPECT_EQ(image,
              (Bytes{0x03, 0x00, 0x0C, 0x00, 0xC0, 0xA8, 0x00, 0x64, 0x00, 0x00, 0x53, 0xF5}));
    EXPECT_TRUE(BuildRegisterImage(10, s, KeyEntry{}).empty());
}

}  // namespace
}  // namespace tarvek
