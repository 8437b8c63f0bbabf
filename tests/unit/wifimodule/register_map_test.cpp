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

int Parse(int index, const std::string& reply, ModuleSettings& s,
          ReplyMode mode = ReplyMode::Read) {
    return ParseReply(index, reinterpret_cast<const std::uint8_t*>(reply.data()),
                      static_cast<int>(reply.size()), mode, s);
}

TEST(ParseReply, AcknowledgementRules) {
    ModuleSettings s;
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
    ModuleSettings s;
    // Bytes past the reply's count (hex digits, even) are not part of it.
    const std::string reply = ReadReply(MakeRegisterImage(0, {192, 168, 0, 100})) + "ABCD";
    ASSERT_EQ(ParseReply(0, reinterpret_cast<const std::uint8_t*>(reply.data()),
                         static_cast<int>(reply.size()) - 4, ReplyMode::Read, s),
              0);
    EXPECT_EQ(s.addresses[0], 0xC0A80064u);
}

TEST(ParseReply, DamagedImagesAreNotAcknowledged) {
    ModuleSettings s;
    Bytes image = MakeRegisterImage(4, {'n', 'e', 't'});
    Bytes badCheck = image;
    badCheck.back() ^= 0x40;
    EXPECT_EQ(Parse(4, ReadReply(badCheck), s), -1);
    EXPECT_EQ(s.ssid, "");  // nothing taken from it
    // Another register's image, or a short one, is refused too.
    EXPECT_EQ(Parse(8, ReadReply(image), s), -1);
    Bytes shortImage(image.begin(), image.begin() + 20);
    EXPECT_EQ(Parse(4, ReadReply(shortImage), s), -1);
    EXPECT_EQ(Parse(4, ReadReply(image), s), 0);
    EXPECT_EQ(s.ssid, "net");
}

TEST(ParseReply, LongRepliesAreCutAt256Bytes) {
    ModuleSettings s;
    std::string reply = "701\r\n" + std::string(600, '4') + "\r\n";
    EXPECT_EQ(Parse(kMacQueryIndex, reply, s), 0);
    EXPECT_EQ(Parse(0, reply, s), -1);
}

TEST(ParseReply, OptionBytesAndWepKeysAndMac) {
    ModuleSettings s;
    ASSERT_EQ(Parse(5, ReadReply(MakeRegisterImage(5, {0x61, 0x45, 0x14})), s), 0);
    EXPECT_EQ(s.mode, WifiMode::Infrastructure);
    EXPECT_EQ(s.channel, 6);
    EXPECT_EQ((WifiSettings{s, {}}.WepType()), 1);     // 40-bit
    EXPECT_EQ(s.wpaAuth, WpaAuthentication::Wpa2Psk);  // mode 4 (the rest: EncryptionRules)

    Bytes keys(20);
    for (int i = 0; i < 20; ++i) {
        keys[i] = static_cast<std::uint8_t>('a' + i);
    }
    ASSERT_EQ(Parse(6, ReadReply(MakeRegisterImage(6, keys)), s), 0);
    const WifiSettings stored{s, {}};
    EXPECT_EQ(stored.StoredKeyText(Encryption::Wep40, 1, kKeyFormatAscii), "fghij");
    EXPECT_EQ(stored.StoredKeyText(Encryption::Wep40, 1, kKeyFormatHex), "666768696A");

    Bytes mac(16, 0);
    const Bytes m{0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x0A};
    std::copy(m.begin(), m.end(), mac.begin() + 8);
    ASSERT_EQ(Parse(kMacQueryIndex, ReadReply(mac), s), 0);
    EXPECT_EQ(s.mac, "de:ad:be:ef:01:0a");
}

TEST(WepKeys, TypedKeyCountsOnlyForTheSelectedKeyOfTheSelectedSize) {
    WifiSettings s;
    s.module.wep40[0].fill(0x11);
    s.module.wep40[2] = {'a', 'b', 'c', 'd', 'e'};
    s.m_nKeyFormat[2] = kKeyFormatAscii;
    s.module.wep104[1] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    WifiFormValues form;
    form.encryption = static_cast<int>(Encryption::Wep40);
    form.keyId = 1;
    form.keyText[1] = "0A1B2C3D4E";
    form.keyText[0] = "FFFFFFFFFF";  // not the selected key: ignored

    const Bytes image40 = BuildRegisterImage(6, SettingsToSave(s, form));
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
    const Bytes image104 = BuildRegisterImage(7, SettingsToSave(s, form));
    ASSERT_EQ(image104.size(), 60u);
    EXPECT_EQ(image104[17], 0x00);
    EXPECT_EQ(image104[29], 0x0C);
    // A short ASCII key is padded with zeros; an odd hex digit leaves the byte incomplete.
    KeyEntry entry;
    entry.encryption = form.encryption;
    entry.keyId = 1;
    entry.keyText[1] = "ab";
    s.m_nKeyFormat[1] = kKeyFormatAscii;
    EXPECT_EQ(WepKeyBytes(s, entry, Encryption::Wep40, 1), (Bytes{'a', 'b', 0, 0, 0}));
    EXPECT_TRUE(WepKeyBytes(s, entry, Encryption::Wpa, 1).empty());
}

TEST(RegisterImage, IpAddressExample) {
    ModuleSettings s;
    s.addresses[0] = 0xC0A80064;
    const Bytes image = BuildRegisterImage(0, s);
    EXPECT_EQ(image,
              (Bytes{0x03, 0x00, 0x0C, 0x00, 0xC0, 0xA8, 0x00, 0x64, 0x00, 0x00, 0x53, 0xF5}));
    EXPECT_TRUE(BuildRegisterImage(10, s).empty());
}

}  // namespace
}  // namespace tarvek
