#include "wifimodule/module_codec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvek {
namespace {

TEST(ModuleFrame, CommandsOfUpTo255BytesAreFramed) {
    EXPECT_EQ(BuildCommandFrame(std::string(255, 'x')).size(), 259u);
    EXPECT_TRUE(BuildCommandFrame(std::string(256, 'x')).empty());
}

// The entries themselves are held against the simulated module's own table.
TEST(RegisterTable, TheMacQueryAboveTheTableAndNothingBelowIt) {
    EXPECT_EQ(BuildReadCommand(11), "c 0\r");
    EXPECT_EQ(BuildReadCommand(-1), "");
    EXPECT_EQ(RegisterAt(10), nullptr);
    EXPECT_EQ(BuildWriteCommandPrefix(10), "");
}

TEST(ImageCheck, PublishedCheckValues) {
    const char* abc = "abc";
    EXPECT_EQ(ComputeImageCheck(reinterpret_cast<const std::uint8_t*>(abc), 3), 0x8CDA);
    // CRC-16/AUG-CCITT check value over "123456789".
    const char* digits = "123456789";
    EXPECT_EQ(ComputeImageCheck(reinterpret_cast<const std::uint8_t*>(digits), 9), 0xE5CC);
    EXPECT_EQ(ComputeImageCheck(nullptr, 0), 0x1D0F);
}

TEST(HexCoding, PayloadIsSpacedUpperCaseWithClosingCr) {
    const std::uint8_t image[12] = {0x03, 0x00, 0x0C, 0x00, 0xC0, 0xA8,
                                    0x00, 0x64, 0,    0,    0x53, 0xF5};
    const std::string payload = EncodeHexPayload(image, 12);
    EXPECT_EQ(payload, "03 00 0C 00 C0 A8 00 64 00 00 53 F5\r");
    EXPECT_EQ(EncodeHexText(image + 4, 4), "C0A80064");
    const std::uint8_t all[] = {0xAB, 0xCD, 0xEF, 0x09};
    EXPECT_EQ(EncodeHexText(all, 4), "ABCDEF09");
}

// Non-digits are skipped; a nibble left unpaired is the high half of a byte not counted.
TEST(HexCoding, DecodeSkipsNonDigitsAndPairsNibbles) {
    std::uint8_t out[kDecodeCapacity] = {};
    const std::string text = "03 00 0c 00\r\nC0-a8";
    EXPECT_EQ(DecodeHexText(text.data(), static_cast<int>(text.size()), out), 6);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x03, 0x00, 0x0C, 0x00, 0xC0, 0xA8}));
    out[1] = 0x77;
    EXPECT_EQ(DecodeHexText("12 3", 4, out), 1);
    EXPECT_EQ(out[0], 0x12);
    EXPECT_EQ(out[1], 0x30);
}

TEST(HexCoding, ReplyVariantKeepsTheBufferKeyVariantClearsIt) {
    std::uint8_t out[kDecodeCapacity];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(DecodeHexText("01", 2, out), 1);
    EXPECT_EQ(out[1], 0xEE);
    EXPECT_EQ(DecodeHexKeyText("01", 2, out), 1);
    EXPECT_EQ(out[1], 0x00);
    EXPECT_EQ(out[255], 0x00);
}

TEST(HexCoding, DecodeNeverWritesPastTheBuffer) {
    const std::string text(2 * kDecodeCapacity + 40, 'A');
    std::uint8_t out[kDecodeCapacity + 4];
    std::memset(out, 0x11, sizeof out);
    auto& bounded = *reinterpret_cast<std::uint8_t(*)[kDecodeCapacity]>(out);
    EXPECT_EQ(DecodeHexText(text.data(), static_cast<int>(text.size()), bounded), kDecodeCapacity);
    EXPECT_EQ(out[kDecodeCapacity - 1], 0xAA);
    EXPECT_EQ(out[kDecodeCapacity], 0x11);
}

}  // namespace
}  // namespace tarvek
