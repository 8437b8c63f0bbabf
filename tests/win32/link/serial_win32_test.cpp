// The Windows serial link under Wine, on a COM port that Wine maps to a pseudo-terminal held
// by tarvek-link-pty-peer (run_with_pty_peer.sh starts it and maps the ports first).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/link/counting_bytes.h"
#include "link/links.h"
#include "support/virtual_clock.h"

namespace tarvek {
namespace {

using testing::VirtualClock;
using ByteList = std::vector<std::uint8_t>;

std::string WinePath(const char* variable) {
    const char* unixPath = std::getenv(variable);
    std::string path = unixPath ? std::string("Z:") + unixPath : std::string();
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class WineSerial : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_traffic.empty()) << "run through run_with_pty_peer.sh";
        m_seen = ReadFileText(m_traffic).size();
    }
    // What the peer received since the last call, once it holds count bytes (or after 3 s).
    ByteList Received(std::size_t count) {
        std::string all;
        for (int i = 0; i < 300; ++i) {
            all = ReadFileText(m_traffic);
            if (all.size() >= m_seen + count) {
                break;
            }
            ::Sleep(10);
        }
        ByteList got(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())),
                     all.end());
        m_seen = all.size();
        return got;
    }
    // The peer's view of the line settings, once it has received count more bytes.
    std::string LineState(std::size_t count) {
        Received(count);
        ::Sleep(100);
        return ReadFileText(m_state);
    }
    int OpenDefault(const char* port = "COM1") { return link->Open(port, 9600, 0, 1, 0, 0); }

    VirtualClock clock{1000};
    std::unique_ptr<SerialPrinterLink> link = MakeSerialLink(clock);
    std::string m_traffic = WinePath("TARVEK_PEER_TRAFFIC");
    std::string m_state = WinePath("TARVEK_PEER_STATE");
    std::size_t m_seen = 0;
};

TEST_F(WineSerial, WritesThePreambleThenTheCommandInChunks) {
    ASSERT_EQ(OpenDefault(), 0);
    const ByteList data = testing::CountingBytes(130);
    EXPECT_EQ(link->Write(data), 130);
    ByteList expected = {0x00, 0x00};
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(Received(expected.size()), expected);
    EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{350}));
    link->Close();
}

TEST_F(WineSerial, PreambleAgainOnlyAfterSixtySecondsIdle) {
    ASSERT_EQ(OpenDefault(), 0);
    const ByteList cmd = {0x1C, 'E', 'C'};
    link->Write(cmd);
    Received(5);
    clock.Advance(60000);
    link->Write(cmd);
    EXPECT_EQ(Received(3), cmd);
    clock.Advance(60001);
    link->Write(cmd);
    EXPECT_EQ(Received(5), (ByteList{0, 0, 0x1C, 'E', 'C'}));
    link->Close();
}

TEST_F(WineSerial, ReadsWhatWaitsAtMostTheCapacity) {
    ASSERT_EQ(OpenDefault(), 0);
    std::uint8_t buffer[256];
    EXPECT_EQ(link->Read(buffer, 256), 0);
    link->Write(ByteList{'Q', '3', '0', '0'});
    Received(6);
    ::Sleep(300);  // the peer answers 30 ms after the command
    const ByteList answer = testing::CountingBytes(300);
    ASSERT_EQ(link->Read(buffer, 256), 256);
    EXPECT_EQ(ByteList(buffer, buffer + 256), ByteList(answer.begin(), answer.begin() + 256));
    ASSERT_EQ(link->Read(buffer, 256), 44);
    EXPECT_EQ(ByteList(buffer, buffer + 44), ByteList(answer.begin() + 256, answer.end()));
    EXPECT_EQ(link->Read(buffer, 256), 0);
    link->Close();
}

TEST_F(WineSerial, LineSettingsReachTheTerminal) {
    ASSERT_EQ(link->Open("COM1", 57600, 0, 1, 1, 1), 0);
    link->Write(ByteList{'a'});
    EXPECT_EQ(LineState(3), "speed=57600 cstopb=1 ixon=1\n");
    link->Close();
    ASSERT_EQ(link->Open("COM1", 4800, 2, 0, 0, 0), 0);
    link->Write(ByteList{'b'});
    EXPECT_EQ(LineState(3), "speed=4800 cstopb=0 ixon=0\n");
    link->Close();
}

TEST_F(WineSerial, RefusedBaudRateLeavesThePortOpenUntilClose) {
    EXPECT_EQ(link->Open("COM1", 14400, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(ByteList{'o'}), 1);  // still open
    EXPECT_EQ(Received(1), ByteList{'o'});
    EXPECT_EQ(link->Close(), 0);
    EXPECT_EQ(link->Write(ByteList{'c'}), 0);
    EXPECT_EQ(link->Close(), 0);  // harmless when closed
}

TEST_F(WineSerial, OutOfRangeIndicesFailAfterTheOpen) {
    EXPECT_EQ(link->Open("COM1", 9600, 3, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(ByteList{'z'}), 1);  // still open
    EXPECT_EQ(Received(1), ByteList{'z'});
    link->Close();
    EXPECT_EQ(link->Write(ByteList{'z'}), 0);
    std::uint8_t b[4];
    EXPECT_EQ(link->Read(b, 4), 0);
}

TEST_F(WineSerial, TwoDigitPortsUseTheDeviceNamespace) {
    ASSERT_EQ(link->Open("COM12", 19200, 0, 1, 0, 0), 0);
    EXPECT_EQ(link->Write(ByteList{'1', '2'}), 2);
    EXPECT_EQ(Received(4), (ByteList{0, 0, '1', '2'}));
    link->Close();
}

TEST(WineSerialPorts, MissingPortFailsClosed) {
    VirtualClock clock;
    auto link = MakeSerialLink(clock);
    EXPECT_EQ(link->Open("COM199", 9600, 0, 1, 0, 0), -1);
    EXPECT_EQ(link->Write(ByteList{'x'}), 0);
    EXPECT_EQ(link->Close(), 0);
}

}  // namespace
}  // namespace tarvek
