#include <gtest/gtest.h>

#include "sim/printer_model.h"
#include "sim_test_util.h"

namespace tarvek::sim {
namespace {

using testing::AsText;
using testing::Exchange;
using testing::Framed;

class ModuleModel : public ::testing::Test {
  protected:
    void EnterIsp() {
        ASSERT_EQ(AsText(Exchange(model, BuildIspModeSwitch(true), now)), "701\r\n");
    }
    void LeaveIsp() { EXPECT_TRUE(Exchange(model, BuildIspModeSwitch(false), now).empty()); }
    std::string Read(int index) {
        return AsText(Exchange(model, Framed(BuildReadCommand(index)), now));
    }
    std::string Write(int index, const Bytes& image) {
        const std::string payload = EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        return AsText(Exchange(model, Framed(BuildWriteCommandPrefix(index) + payload), now));
    }
    // The image a read reply carries, decoded from its hex text.
    static Bytes ImageOf(const std::string& reply) {
        std::uint8_t out[kDecodeCapacity] = {};
        const int n = DecodeHexKeyText(reply.data() + 5, static_cast<int>(reply.size()) - 5, out);
        return Bytes(out, out + n);
    }
    PrinterModel model;
    std::uint32_t now = 1000;
};

TEST_F(ModuleModel, ReadReplyIsAckImageAndCheckInTheLastEightCharacters) {
    EnterIsp();
    const std::string reply = Read(0);
    EXPECT_EQ(reply, "701\r\n03 00 0C 00 C0 A8 00 64 00 00 53 F5\r\n");
    EXPECT_EQ(reply.substr(reply.size() - 8), " 53 F5\r\n");
}

TEST_F(ModuleModel, EveryRegisterReadsBackWithAValidCheck) {
    EnterIsp();
    for (int index = 0; index < kRegisterCount; ++index) {
        const Bytes image = ImageOf(Read(index));
        ASSERT_EQ(static_cast<int>(image.size()), RegisterAt(index)->imageLength) << index;
        const std::uint16_t check =
            ComputeImageCheck(image.data(), static_cast<int>(image.size()) - 2);
        EXPECT_EQ(image[image.size() - 2], check & 0xFF) << index;
        EXPECT_EQ(image[image.size() - 1], check >> 8) << index;
    }
}

TEST_F(ModuleModel, MacQueryCarriesTheMacAtBytesEightToThirteen) {
    model.State().mac = {{0x00, 0x1D, 0xC9, 0xAB, 0xCD, 0xEF}};
    EnterIsp();
    const std::string reply = Read(kMacQueryIndex);
    ASSERT_EQ(reply.compare(0, 5, "701\r\n"), 0);
    std::uint8_t d[kDecodeCapacity] = {};
    DecodeHexKeyText(reply.data() + 5, static_cast<int>(reply.size()) - 13, d);
    EXPECT_EQ(Bytes(d + 8, d + 14), (Bytes{0x00, 0x1D, 0xC9, 0xAB, 0xCD, 0xEF}));
}

TEST_F(ModuleModel, WriteFlashLeaveEnterReadGivesTheImageBack) {
    EnterIsp();
    EXPECT_EQ(AsText(Exchange(model, Framed(kUnlockCommand), now)), "701\r\n");
    const Bytes image = MakeRegisterImage(4, testing::Text("workshop"));
    EXPECT_EQ(Write(4, image), "701\r\n");
    Exchange(model, Framed(kFlashCommand), now);
    LeaveIsp();
    EXPECT_FALSE(model.State().unlocked);
    EnterIsp();
    EXPECT_EQ(ImageOf(Read(4)), image);
    EXPECT_EQ(model.State().flash[4], image);
}

TEST_F(ModuleModel, UnflashedWriteIsGoneAfterLeavingIsp) {
    EnterIsp();
    Exchange(model, Framed(kUnlockCommand), now);
    const Bytes image = MakeRegisterImage(0, Bytes{10, 0, 0, 7});
    EXPECT_EQ(Write(0, image), "701\r\n");
    EXPECT_EQ(ImageOf(Read(0)), image);  // the working copy has it
    LeaveIsp();
    EnterIsp();
    EXPECT_EQ(ImageOf(Read(0)), DefaultRegisters()[0]);
}

TEST_F(ModuleModel, BadWritesAreRefused) {
    EnterIsp();
    const Bytes good = MakeRegisterImage(0, Bytes{10, 0, 0, 7});
    EXPECT_NE(Write(0, good).compare(0, 3, "701"), 0);  // still locked
    Exchange(model, Framed(kUnlockCommand), now);
    Bytes badCheck = good;
    badCheck.back() ^= 1;
    EXPECT_NE(Write(0, badCheck).compare(0, 3, "701"), 0);
    const Bytes shortImage(good.begin(), good.end() - 1);
    EXPECT_NE(Write(0, shortImage).compare(0, 3, "701"), 0);
    EXPECT_NE(Write(1, good).compare(0, 3, "701"), 0);  // image of another register
    EXPECT_EQ(model.State().working[0], DefaultRegisters()[0]);
    EXPECT_EQ(Write(0, good), "701\r\n");
}

TEST_F(ModuleModel, WepOnlyModuleHasNoPskRegister) {
    model.State().moduleKind = ModuleKind::WepOnly;
    EnterIsp();
    EXPECT_NE(Read(9).compare(0, 3, "701"), 0);
    EXPECT_EQ(Read(8).compare(0, 5, "701\r\n"), 0);
}

TEST_F(ModuleModel, NoModuleOrNoIspModeMeansNoReply) {
    EXPECT_TRUE(Exchange(model, Framed(BuildReadCommand(0)), now).empty());
    model.State().moduleKind = ModuleKind::Absent;
    EXPECT_TRUE(Exchange(model, BuildIspModeSwitch(true), now).empty());
    EXPECT_FALSE(model.State().ispMode);
}

}  // namespace
}  // namespace tarvek::sim
