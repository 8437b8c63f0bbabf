#include "cli/session/trace.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarvek::cli {
namespace {

enum class SecretEnd { ChunkEnd, LastQuote, BeforeLastByte, Reply };

struct SecretCommand {
    const char* prefix;
    bool framed;  // the prefix follows the module's 4-byte command frame
    SecretEnd end;
};

// The commands that carry a secret, and where it ends.
const SecretCommand kSecretCommands[] = {
    {"\x1B"
     "bt\x05\x90",
     false, SecretEnd::ChunkEnd},
    {"! U1 setvar \"bluetooth.bluetooth_pin\" \"", false, SecretEnd::LastQuote},
    {"w 09 02 ", true, SecretEnd::BeforeLastByte},
    {"w 09 03 ", true, SecretEnd::BeforeLastByte},
    {"w 09 04 ", true, SecretEnd::BeforeLastByte},
    {"w 09 05 ", true, SecretEnd::BeforeLastByte},
    {"r 09 02\r", true, SecretEnd::Reply},
    {"r 09 03\r", true, SecretEnd::Reply},
    {"r 09 04\r", true, SecretEnd::Reply},
    {"r 09 05\r", true, SecretEnd::Reply},
};
constexpr std::size_t kFrameLength = 4;
constexpr std::uint8_t kFrame[] = {0x1B, '[', 'D'};
// A read reply keeps its code line "701" CR LF.
constexpr std::size_t kReplyCodeLength = 5;
constexpr std::uint32_t kIdleLimitMs = 60000;
constexpr std::uint8_t kPreamble[] = {0x00, 0x00};

}  // namespace

SecretSpan FindSecret(const std::uint8_t* chunk, std::size_t count) {
    const bool framed = count >= kFrameLength && std::memcmp(chunk, kFrame, sizeof kFrame) == 0;
    for (const SecretCommand& c : kSecretCommands) {
        const std::size_t at = c.framed ? kFrameLength : 0;
        const std::size_t length = std::strlen(c.prefix);
        if ((c.framed && !framed) || count < at + length ||
            std::memcmp(chunk + at, c.prefix, length) != 0) {
            continue;
        }
        SecretSpan span;
        span.begin = at + length;
        switch (c.end) {
            case SecretEnd::ChunkEnd:
                span.end = count;
                break;
            case SecretEnd::LastQuote: {
                const std::uint8_t* quote = chunk + count;
                while (quote > chunk + span.begin && *(quote - 1) != '"') {
                    --quote;
                }
                span.end = quote > chunk + span.begin ? static_cast<std::size_t>(quote - chunk) - 1
                                                      : count;
                break;
            }
            case SecretEnd::BeforeLastByte:
                span.end = count - 1;
                break;
            case SecretEnd::Reply:
                span.begin = span.end = 0;
                span.reply = true;
                break;
        }
        return span;
    }
    return SecretSpan{};
}

TraceRecorder::TraceRecorder(std::ostream& out, Clock& clock, bool showSecrets)
    : m_out(out), m_clock(clock), m_startMs(clock.NowMs()), m_bShowSecrets(showSecrets) {}

void TraceRecorder::Host(const std::uint8_t* data, int count, std::uint32_t startMs) {
    if (!m_bWroteSinceOpen || ElapsedMs(m_lastWriteMs, startMs) > kIdleLimitMs) {
        Line("host", startMs, kPreamble, sizeof kPreamble, 0, 0);
    }
    m_bWroteSinceOpen = true;
    m_lastWriteMs = m_clock.NowMs();
    const SecretSpan span = FindSecret(data, static_cast<std::size_t>(std::max(count, 0)));
    m_bSecretReply = span.reply && !m_bShowSecrets;
    m_replyOffset = 0;
    const bool masked = !m_bShowSecrets;
    Line("host", m_lastWriteMs, data, count, masked ? span.begin : 0, masked ? span.end : 0);
}

void TraceRecorder::Printer(const std::uint8_t* data, int count) {
    if (count <= 0) {
        return;
    }
    const std::size_t n = static_cast<std::size_t>(count);
    std::size_t begin = 0, end = 0;
    if (m_bSecretReply) {
        // The part of this chunk past the reply's code line.
        begin = m_replyOffset >= kReplyCodeLength ? 0 : kReplyCodeLength - m_replyOffset;
        end = n;
    }
    m_replyOffset += n;
    Line("printer", m_clock.NowMs(), data, count, std::min(begin, n), end);
}

void TraceRecorder::Line(const char* direction, std::uint32_t atMs, const std::uint8_t* data,
                         int count, std::size_t maskBegin, std::size_t maskEnd) {
    char head[64];
    std::snprintf(head, sizeof head, "%8u ms  %-7s  ",
                  static_cast<unsigned>(ElapsedMs(m_startMs, atMs)), direction);
    std::string hex, text;
    for (int i = 0; i < count; ++i) {
        const bool masked =
            static_cast<std::size_t>(i) >= maskBegin && static_cast<std::size_t>(i) < maskEnd;
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X ", data[i]);
        hex += masked ? "** " : byte;
        text +=
            masked ? '*' : (data[i] >= 0x20 && data[i] < 0x7F ? static_cast<char>(data[i]) : '.');
    }
    m_out << head << "[" << m_step << "]  " << hex << " |" << text << "|\n" << std::flush;
}

}  // namespace tarvek::cli
