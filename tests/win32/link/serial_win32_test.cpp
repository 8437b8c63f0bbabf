// The Windows serial link under Wine, on COM1 and COM12 mapped to a pseudo-terminal held by
// tarvek-link-pty-peer (run_with_pty_peer.sh starts it and maps the ports first). Pauses go
// through a virtual clock; what the peer received is read from its traffic file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "e2e/link/counting_bytes.h"
#include "link/links.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

std::string PeerFile(const char* variable) {
    const char* unixPath = std::getenv(variable);
    std::string path = unixPath != nullptr ? std::string("Z:") + unixPath : std::string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WineSerial : public ::testing::Test {
  protected:
    void SetUp() override { m_seen = ReadWhole(m_traffic).size(); }
    // What the peer received since the last call, once there are count bytes (or after 3 s).
    Bytes Received(std::size_t count) {
        std::string all = ReadWhole(m_traffic);
        for (int i = 0; i < 300 && all.size() < m_seen + count; ++i) {
            ::Sleep(10);
            all = ReadWhole(m_traffic);
        }
        const Bytes got(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())),
                        all.end());
        m_seen = all.size();
        return got;
    }

    testing::VirtualClock clock;
    std::unique_ptr<SerialPrinterLink> link = MakeSerialLink(clock);
    std::string m_traffic = PeerFile("TARVEK_PEER_TRAFFIC");
    std::size_t m_seen = 0;
};

TEST_F(WineSerial, PreambleThenTheBytesAndAgainOnlyAfterAMinuteIdle) {
    ASSERT_FALSE(m_traffic.empty()) << "run through run_with_pty_peer.sh";
    ASSERT_EQ(link->Open("COM1", 9600, 0, 1, 0, 0), 0);
    const Bytes data = testing::CountingBytes(130);
    EXPECT_EQ(link->Write(data), 130);
    Bytes expected = {0x00, 0x00};
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(Received(expected.size()), expected);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{350});
    clock.Advance(60000);
    link->Write(Bytes{'A'});
    EXPECT_EQ(Received(1), Bytes{'A'});
    clock.Advance(60001);
    link->Write(Bytes{'B'});
    EXPECT_EQ(Received(3), (Bytes{0, 0, 'B'}));
    link->Close();
}

TEST_F(WineSerial, ReadsWhatWaitsAtMostTheCapacity) {
    ASSERT_EQ(link->Open("COM1", 9600, 0, 1, 0, 0), 0);
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    link->Write(Bytes{'Q', '3', '0', '0'});  // the peer answers 300 bytes 30 ms later
    Received(6);
    ::Sleep(300);
    const Bytes answer = testing::CountingBytes(300);
    ASSERT_EQ(link->Read(buffer, 256), 256);
    EXPECT_EQ(Bytes(buffer, buffer + 256), Bytes(answer.begin(), answer.begin() + 256));
    ASSERT_EQ(link->Read(buffer, 256), 44);
    EXPECT_EQ(Bytes(buffer, buffer + 44), Bytes(answer.begin() + 256, answer.end()));
    link->Close();
}

TEST_F(WineSerial, LineSettingsReachTheTerminal) {
    for (const auto& [baud, stopBits, flow, state] :
         {std::make_tuple(57600, 1, 1, "speed=57600 cstopb=1 ixon=1\n"),
          std::make_tuple(4800, 0, 0, "speed=4800 cstopb=0 ixon=0\n")}) {
        ASSERT_EQ(link->Open("COM1", baud, 0, 1, stopBits, flow), 0);
        link->Write(Bytes{'s'});
        Received(3);
        ::Sleep(100);  // the peer rewrites its state file after each batch
        EXPECT_EQ(ReadWhole(PeerFile("TARVEK_PEER_STATE")), state);
        link->Close();
    }
}

TEST_F(WineSerial, ARefusedSettingLeavesThePortOpenUntilClose) {
    for (const auto& [baud, parity] : {std::make_pair(14400, 0), std::make_pair(9600, 3)}) {
        EXPECT_EQ(link->Open("COM1", baud, parity, 1, 0, 0), -1);
        EXPECT_EQ(link->Write(Bytes{'o'}), 1);
        EXPECT_EQ(link->Close(), 0);
        EXPECT_EQ(link->Write(Bytes{'c'}), 0);
        EXPECT_EQ(link->Close(), 0);  // harmless when closed
    }
    EXPECT_EQ(Received(2), (Bytes{'o', 'o'}));
}

TEST_F(WineSerial, TwoDigitPortsOpenAndMissingOnesFail) {
    ASSERT_EQ(link->Open("COM12", 19200, 0, 1, 0, 0), 0);
    EXPECT_EQ(link->Write(Bytes{'1', '2'}), 2);
    EXPECT_EQ(Received(4), (Bytes{0, 0, '1', '2'}));
    link->Close();
    EXPECT_EQ(link->Open("COM199", 9600, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(Bytes{'x'}), 0);
    EXPECT_EQ(link->Close(), 0);
}

}  // namespace
}  // namespace tarvek
