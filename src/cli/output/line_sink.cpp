#include "cli/output/line_sink.h"

#include <cstdio>

namespace tarvek::cli {

void LineSink::Line(std::size_t port, const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_live) {
        m_out << text << "\n" << std::flush;
        return;
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - m_start)
            .count();
    char elapsed[16];
    std::snprintf(elapsed, sizeof elapsed, "%02d:%02d ", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60));
    m_last[port] = elapsed + text;
    if (m_drawn) {
        m_out << "\x1b[" << m_last.size() << "A";  // back to the block's first line
    }
    for (const std::string& last : m_last) {
        m_out << "\r\x1b[2K" << last << "\n";
    }
    m_out << std::flush;
    m_drawn = true;
}

SinkStream::~SinkStream() {
    m_buffer.Flush();
}

void SinkStream::Buffer::Flush() {
    if (!m_line.empty()) {
        m_sink.Line(m_port, m_prefix + m_line);
        m_line.clear();
    }
}

SinkStream::Buffer::int_type SinkStream::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    if (traits_type::to_char_type(c) == '\n') {
        m_sink.Line(m_port, m_prefix + m_line);
        m_line.clear();
    } else {
        m_line += traits_type::to_char_type(c);
    }
    return c;
}

}  // namespace tarvek::cli
