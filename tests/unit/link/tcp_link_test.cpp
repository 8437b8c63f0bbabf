#include "link/network/tcp_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <vector>

#include "support/virtual_clock.h"

#ifndef _WIN32
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "link/unique_fd.h"
#endif

namespace tarvek {
namespace {

using testing::VirtualClock;

TEST(TcpPortName, HostAndPortOrRefused) {
    const struct {
        const char* name;
        const char* host;  // nullptr: refused
        int port;
    } cases[] = {
        {"tcp:printer", "printer", 9100},
        {"TCP:10.0.0.5:1", "10.0.0.5", 1},
        {"tcp:10.0.0.5:65535", "10.0.0.5", 65535},
        {"tcp:[fe80::1]:515", "fe80::1", 515},
        {"tcp:[::1]", "::1", 9100},
        {"tcp:fe80::1", "fe80::1", 9100},
        {"tcp:", nullptr, 0},
        {"tcp::9100", nullptr, 0},
        {"tcp:printer:", nullptr, 0},
        {"tcp:printer:0", nullptr, 0},
        {"tcp:printer:65536", nullptr, 0},
        {"tcp:printer:91x", nullptr, 0},
        {"tcp:printer:000009100", nullptr, 0},
        {"tcp:[::1", nullptr, 0},
        {"tcp:[::1]9100", nullptr, 0},
        {"tcp:[::1]:", nullptr, 0},
        {"tcp:[]:9100", nullptr, 0},
        {"tc:printer", nullptr, 0},
        {"/dev/ttyUSB0", nullptr, 0},
    };
    for (const auto& c : cases) {
        TcpAddress address{"unchanged", 1};
        EXPECT_EQ(ParseTcpPortName(c.name, address), c.host != nullptr) << c.name;
        EXPECT_EQ(address.host, c.host ? c.host : "unchanged") << c.name;
        EXPECT_EQ(address.port, c.host ? c.port : 1) << c.name;
    }
    EXPECT_EQ(TcpPortName({"fe80::1", 9100}), "tcp:[fe80::1]:9100");
    EXPECT_EQ(TcpPortName({"printer", 515}), "tcp:printer:515");
}

// Answers connect attempts from a script (the last answer repeats); an attempt may take time.
struct ScriptedConnector : TcpConnector {
    ScriptedConnector(VirtualClock& c, std::vector<TcpConnect> a, std::uint32_t takesMs = 0)
        : clock(c), answers(std::move(a)), attemptMs(takesMs) {}
    TcpConnect Attempt(const TcpAddress&, std::uint32_t timeoutMs) override {
        timeouts.push_back(timeoutMs);
        clock.Advance(attemptMs);
        const std::size_t i = std::min(timeouts.size(), answers.size()) - 1;
        return answers[i];
    }
    VirtualClock& clock;
    std::vector<TcpConnect> answers;
    std::uint32_t attemptMs;
    std::vector<std::uint32_t> timeouts;  // what each attempt was given
};

// A refused connect is tried again every 250 ms within the 5 s; each attempt is given only
// what is left of them; anything else ends the tries at once.
TEST(TcpConnect, RefusalsRetriedWithinTheLimitOthersNot) {
    const auto refused = TcpConnect::Refused;
    const struct {
        std::vector<TcpConnect> answers;
        std::uint32_t attemptMs;
        TcpConnect result;
        std::vector<std::uint32_t> timeouts;
    } cases[] = {
        {{TcpConnect::Connected}, 0, TcpConnect::Connected, {5000}},
        {{TcpConnect::Failed}, 0, TcpConnect::Failed, {5000}},
        {{refused, refused, TcpConnect::Connected}, 0, TcpConnect::Connected, {5000, 4750, 4500}},
        {{refused}, 4750, refused, {5000}},
        {{refused, TcpConnect::Failed}, 4749, TcpConnect::Failed, {5000, 1}},
    };
    for (const auto& c : cases) {
        VirtualClock clock;
        ScriptedConnector connector(clock, c.answers, c.attemptMs);
        EXPECT_EQ(ConnectWithin(connector, clock, {"printer", 9100}), c.result);
        EXPECT_EQ(connector.timeouts, c.timeouts);
    }
    VirtualClock clock;
    ScriptedConnector alwaysRefused(clock, {refused});
    EXPECT_EQ(ConnectWithin(alwaysRefused, clock, {"printer", 9100}), refused);
    EXPECT_EQ(alwaysRefused.timeouts.size(), 20u);
    EXPECT_EQ(alwaysRefused.timeouts.back(), 250u);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(19, 250));
}

#ifndef _WIN32
// A listening socket on a free loopback port.
struct Listener {
    Listener() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        fd.Reset(socket(AF_INET, SOCK_STREAM, 0));
        bind(fd.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(fd.Get(), 1);
        getsockname(fd.Get(), reinterpret_cast<sockaddr*>(&a), &size);
        name = "tcp:127.0.0.1:" + std::to_string(ntohs(a.sin_port));
    }
    UniqueFd fd;
    std::string name;
};

TEST(TcpLink, WritesWithThePreambleReadsWhatCameAndCloses) {
    VirtualClock clock;
    Listener listener;
    const auto link = MakeTcpLink(clock);
    ASSERT_EQ(link->Open(listener.name, 0, 0, 0, 0, 0), 0);
    UniqueFd peer(accept(listener.fd.Get(), nullptr, nullptr));
    ASSERT_TRUE(peer.Valid());
    EXPECT_EQ(link->Reconfigure(SerialLineSettings{}), 0);  // any line, without reopening
    EXPECT_EQ(link->Write(Bytes{0x1B, 0x62}), 2);
    std::uint8_t got[8] = {};
    EXPECT_EQ(recv(peer.Get(), got, 4, MSG_WAITALL), 4);
    EXPECT_EQ(Bytes(got, got + 4), (Bytes{0x00, 0x00, 0x1B, 0x62}));
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{350});
    std::uint8_t answer[4] = {};
    EXPECT_EQ(link->Read(answer, sizeof answer), 0);  // nothing sent yet: at once
    ASSERT_EQ(send(peer.Get(), "on", 2, 0), 2);
    int count = 0;
    for (int i = 0; i < 200 && count == 0; ++i) {
        count = link->Read(answer, sizeof answer);
    }
    EXPECT_EQ(std::string(answer, answer + count), "on");
    // A piece that comes while a read gathers its batch fills only what is left of the buffer.
    ASSERT_EQ(send(peer.Get(), "ab", 2, 0), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::thread later([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        send(peer.Get(), "cdefgh", 6, 0);
    });
    std::uint8_t batch[8] = {0, 0, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE};
    count = link->Read(batch, 4);
    later.join();
    EXPECT_EQ(std::string(batch, batch + 8), "abcd\xEE\xEE\xEE\xEE");
    EXPECT_EQ(count, 4);
    EXPECT_EQ(link->Write(Bytes{0x1B}), 1);  // no preamble within the idle limit
    EXPECT_EQ(recv(peer.Get(), got, sizeof got, 0), 1);
    link->Close();
    EXPECT_EQ(link->Write(Bytes{0x1B}), 0);
    EXPECT_EQ(link->Reconfigure(SerialLineSettings{}), -1);
}

#endif

}  // namespace
}  // namespace tarvek
