#include "cli/session/trace.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/serial_write.h"
#include "printer/printer_commands.h"
#include "wifimodule/module_codec.h"

namespace tarvek::cli {
SecretSpan FindSecret(const std::uint8_t* chunk, std::size_t count) {
    SecretSpan span;
    CommandSecret module;
    if (FindPinInCommand(chunk, count, span.begin, span.end)) {
        return span;
    }
    if (FindSecretInCommand(chunk, count, module)) {
        span.begin = module.begin;
        span.end = module.end;
        span.reply = module.asksSecret;
    }
    return span;
}

TraceRecorder::TraceRecorder(std::ostream& out, Clock& clock, bool showSecrets)
    : m_out(out), m_clock(clock), m_startMs(clock.NowMs()), m_bShowSecrets(showSecrets) {}

void TraceRecorder::Host(const std::uint8_t* data, int count, std::uint32_t startMs) {
    if (!m_bWroteSinceOpen || ElapsedMs(m_lastWriteMs, startMs) > kIdleLimitMs) {
        Line("host", startMs, kIdlePreamble, sizeof kIdlePreamble, 0, 0);
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
        begin = m_replyOffset >= kReplyCodeLineLength ? 0 : kReplyCodeLineLength - m_replyOffset;
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
