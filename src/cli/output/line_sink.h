// Output of several threads on one stream, a whole line at a time, each line prefixed by the
// port it came from; or, on a terminal, one status line per port (the time since the station
// began, the port, its latest news) redrawn in place.
#pragma once

#include <chrono>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace tarvek::cli {

class LineSink {
  public:
    // live: out is a terminal; the ports' last lines are kept as a block redrawn in place.
    LineSink(std::ostream& out, bool live, std::size_t ports)
        : m_out(out), m_live(live), m_last(ports) {}
    void Line(std::size_t port, const std::string& text);

  private:
    std::mutex m_mutex;
    std::ostream& m_out;
    bool m_live;
    bool m_drawn = false;
    std::vector<std::string> m_last;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// A stream whose complete lines go to a sink, with a prefix.
class SinkStream : public std::ostream {
  public:
    SinkStream(LineSink& sink, std::size_t port, std::string prefix)
        : std::ostream(&m_buffer), m_buffer(sink, port, std::move(prefix)) {}
    ~SinkStream() override;

  private:
    class Buffer : public std::streambuf {
      public:
        Buffer(LineSink& sink, std::size_t port, std::string prefix)
            : m_sink(sink), m_port(port), m_prefix(std::move(prefix)) {}
        void Flush();

      protected:
        int_type overflow(int_type c) override;

      private:
        LineSink& m_sink;
        std::size_t m_port;
        std::string m_prefix;
        std::string m_line;
    };
    Buffer m_buffer;
};

}  // namespace tarvek::cli
