#include "link/serial_write.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/virtual_clock.h"

namespace tarvek {
namespace {

using testing::VirtualClock;
constexpr InputPurge kDialogs = InputPurge::AfterWrite;

struct Event {
    std::vector<std::uint8_t> bytes;  // a chunk, or empty for a purge
    char purge;                       // 0, 'i' the input, 'a' both ways on failure
    std::uint32_t atMs;
};

class RecordingPort : public SerialChunkPort {
  public:
    explicit RecordingPort(Clock& clock) : m_clock(clock) {}
    std::vector<Event> events;
    std::vector<int> answers;  // what the next SendChunk calls answer (else: everything)

    int SendChunk(const std::uint8_t* data, int length) override {
        int result = length;
        if (!answers.empty()) {
            result = answers.front();
            answers.erase(answers.begin());
        }
        const int taken = result > 0 ? result : 0;
        events.push_back({std::vector<std::uint8_t>(data, data + taken), 0, m_clock.NowMs()});
        return result;
    }
    void PurgeInput() override { events.push_back({{}, 'i', m_clock.NowMs()}); }
    void PurgeAll() override { events.push_back({{}, 'a', m_clock.NowMs()}); }

    std::vector<int> ChunkSizes() const {
        std::vector<int> sizes;
        for (const Event& e : events) {
            if (!e.purge) {
                sizes.push_back(static_cast<int>(e.bytes.size()));
            }
        }
        return sizes;
    }

  private:
    Clock& m_clock;
};

std::vector<std::uint8_t> Counting(int n) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < n; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i + 1));
    }
    return bytes;
}

class SerialWrite : public ::testing::Test {
  protected:
    VirtualClock clock{5000};
    RecordingPort port{clock};
    IdleState idle{true, 0};
};

// The clock stands below 60 s, as just after boot: the first write's preamble is due all the same.
TEST_F(SerialWrite, FirstWriteAfterOpenSendsThePreambleThenChunksOf64) {
    const auto data = Counting(130);
    EXPECT_EQ(RunSerialWrite(port, clock, idle, kDialogs, data.data(), 130), 130);
    EXPECT_EQ(port.ChunkSizes(), (std::vector<int>{2, 64, 64, 2}));
    EXPECT_EQ(port.events[0].bytes, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(port.events[1].atMs - port.events[0].atMs, 350u);
    EXPECT_EQ(std::vector<std::uint8_t>(port.events[1].bytes.begin(), port.events[1].bytes.end()),
              std::vector<std::uint8_t>(data.begin(), data.begin() + 64));
    EXPECT_EQ(port.events[3].bytes, (std::vector<std::uint8_t>{129, 130}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{350}));
    EXPECT_EQ(idle.lastWriteMs, 5350u);
}

TEST_F(SerialWrite, PreambleOnlyAfterMoreThanSixtySecondsIdle) {
    const std::uint8_t cmd[3] = {0x1C, 'E', 'C'};
    RunSerialWrite(port, clock, idle, kDialogs, cmd, 3);
    port.events.clear();
    clock.Advance(60000);
    RunSerialWrite(port, clock, idle, kDialogs, cmd, 3);
    EXPECT_EQ(port.ChunkSizes(), (std::vector<int>{3}));
    port.events.clear();
    clock.Advance(60001);
    RunSerialWrite(port, clock, idle, kDialogs, cmd, 3);
    EXPECT_EQ(port.ChunkSizes(), (std::vector<int>{2, 3}));
}

TEST_F(SerialWrite, TheInputIsDroppedBeforeOrAfterEachWriteAsTheFrontEndChose) {
    const std::uint8_t cmd[3] = {0x1C, 'E', 'C'};
    // Events: preamble, command and one purge of the input, first or last.
    for (const auto& [purge, at] : {std::make_pair(InputPurge::AfterWrite, 2u),
                                    std::make_pair(InputPurge::BeforeWrite, 0u)}) {
        RecordingPort p{clock};
        IdleState fresh{true, 0};
        EXPECT_EQ(RunSerialWrite(p, clock, fresh, purge, cmd, 3), 3);
        EXPECT_EQ(p.ChunkSizes(), (std::vector<int>{2, 3})) << at;
        ASSERT_EQ(p.events.size(), 3u);
        EXPECT_EQ(p.events[at].purge, 'i') << at;
        p.events.clear();  // zero bytes: nothing sent, the input still dropped
        EXPECT_EQ(RunSerialWrite(p, clock, fresh, purge, nullptr, 0), 0);
        ASSERT_EQ(p.events.size(), 1u);
        EXPECT_EQ(p.events[0].purge, 'i');
    }
}

// A preamble that times out sends nothing of the command; a refused one still pauses and sends.
TEST_F(SerialWrite, PreambleTimeOutSendsNothingButARefusalGoesOn) {
    const auto data = Counting(10);
    for (const int answer : {int{kChunkTimedOut}, int{kChunkFailed}}) {
        VirtualClock c{5000};
        RecordingPort p{c};
        IdleState fresh{true, 0};
        p.answers = {answer};
        const bool sent = answer == kChunkFailed;
        EXPECT_EQ(RunSerialWrite(p, c, fresh, kDialogs, data.data(), 10), sent ? 10 : 0) << answer;
        EXPECT_EQ(p.events.size(), sent ? 3u : 1u) << answer;  // preamble, command, purge
        EXPECT_EQ(c.Sleeps(),
                  sent ? std::vector<std::uint32_t>{350} : std::vector<std::uint32_t>{});
    }
}

TEST_F(SerialWrite, FailedChunkPurgesBothWaysAndGivesZero) {
    for (int failure : {int{kChunkFailed}, int{kChunkTimedOut}, 0}) {
        RecordingPort p{clock};
        IdleState fresh{false, clock.NowMs()};
        p.answers = {64, failure};
        const auto data = Counting(130);
        EXPECT_EQ(RunSerialWrite(p, clock, fresh, kDialogs, data.data(), 130), 0) << failure;
        EXPECT_EQ(p.ChunkSizes(), (std::vector<int>{64, 0}));
        EXPECT_EQ(p.events.back().purge, 'a');
    }
}

TEST_F(SerialWrite, PartlyAcceptedChunkContinuesAfterTheAcceptedBytes) {
    idle.preambleDue = false;
    idle.lastWriteMs = clock.NowMs();
    port.answers = {10};
    const auto data = Counting(70);
    EXPECT_EQ(RunSerialWrite(port, clock, idle, kDialogs, data.data(), 70), 70);
    EXPECT_EQ(port.ChunkSizes(), (std::vector<int>{10, 60}));
    EXPECT_EQ(port.events[1].bytes.front(), 11);
}

}  // namespace
}  // namespace tarvek
