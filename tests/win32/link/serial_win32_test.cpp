// The Windows serial link under Wine on COM1 and COM12, which run_with_pty_peer.sh maps to a
// pseudo-terminal held by tarvek-link-pty-peer; what the peer received is read from its files.
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

std::string PeerFile(const char* name) {
    std::string path = std::string("Z:") + std::getenv(name);
    std::replace(path.begin(), path.end(), '/', '\\');
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WineSerial : public ::testing::Test {
  protected:
    // What the peer received since the last call, once there are count bytes (or after 3 s).
    Bytes Received(std::size_t count) {
        std::string all = PeerFile("TARVEK_PEER_TRAFFIC");
        for (int i = 0; i < 300 && all.size() < m_seen + count; ++i) {
            ::Sleep(10);
            all = PeerFile("TARVEK_PEER_TRAFFIC");
        }
        const Bytes got(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())),
                        all.end());
        m_seen = all.size();
        return got;
    }

    testing::VirtualClock clock;
    std::unique_ptr<SerialPrinterLink> link = MakeSerialLink(clock);
    std::size_t m_seen = PeerFile("TARVEK_PEER_TRAFFIC").size();
};

TEST_F(WineSerial, WritesWithThePreambleAndReadsWhatWaitsAtMostTheCapacity) {
    ASSERT_EQ(link->Open("COM1", 9600, 0, 1, 0, 0), 0);
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    const Bytes query = {'Q', '3', '0', '0'};  // the peer answers 300 bytes 30 ms later
    EXPECT_EQ(link->Write(query), 4);
    EXPECT_EQ(Received(6), (Bytes{0, 0, 'Q', '3', '0', '0'}));
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{350});
    ::Sleep(300);
    const Bytes answer = testing::CountingBytes(300);
    ASSERT_EQ(link->Read(buffer, 256), 256);
    EXPECT_EQ(Bytes(buffer, buffer + 256), Bytes(answer.begin(), answer.begin() + 256));
    ASSERT_EQ(link->Read(buffer, 256), 44);
    EXPECT_EQ(Bytes(buffer, buffer + 44), Bytes(answer.begin() + 256, answer.end()));
    link->Close();
}

TEST_F(WineSerial, LineSettingsReachTheTerminalAndARefusedOneLeavesThePortOpen) {
    for (const auto& [baud, stopBits, flow, state] :
         {std::make_tuple(57600, 1, 1, "speed=57600 cstopb=1 ixon=1\n"),
          std::make_tuple(4800, 0, 0, "speed=4800 cstopb=0 ixon=0\n")}) {
        ASSERT_EQ(link->Open("COM1", baud, 0, 1, stopBits, flow), 0);
        link->Write(Bytes{'s'});
        Received(3);
        ::Sleep(100);  // the peer rewrites its state file after each batch
        EXPECT_EQ(PeerFile("TARVEK_PEER_STATE"), state);
        link->Close();
    }
    EXPECT_EQ(link->Open("COM1", 14400, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(Bytes{'o'}), 1);  // open until the caller closes it
    EXPECT_EQ(Received(1), Bytes{'o'});
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(link->Write(Bytes{'c'}), 0);
}

TEST_F(WineSerial, TwoDigitPortsOpenAndMissingOnesFail) {
    ASSERT_EQ(link->Open("COM12", 19200, 0, 1, 0, 0), 0);
    EXPECT_EQ(link->Write(Bytes{'1', '2'}), 2);
    EXPECT_EQ(Received(4), (Bytes{0, 0, '1', '2'}));
    link->Close();
    EXPECT_EQ(link->Open("COM199", 9600, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(Bytes{'x'}), 0);
}

}  // namespace
}  // namespace tarvek
