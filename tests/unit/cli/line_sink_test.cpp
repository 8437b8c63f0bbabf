// Several threads' output on one stream: whole lines, each with its port; on a terminal, one
// line per port redrawn in place.
#include "cli/output/line_sink.h"
#include "cli/output/output.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

namespace tarvek::cli {
namespace {

TEST(LineSink, ThreadsNeverMixWithinALine) {
    std::ostringstream out;
    LineSink sink(out, false, 2);
    auto write = [&sink](std::size_t port, const char* tag) {
        SinkStream stream(sink, port, tag);
        for (int i = 0; i < 200; ++i) {
            stream << "line " << i << " of " << tag << "\n";
        }
        stream << "unfinished";  // the last words, without their line end
    };
    std::thread a(write, 0, "a: "), b(write, 1, "b: ");
    a.join();
    b.join();
    std::istringstream lines(out.str());
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const std::string tag = line.substr(0, 3);
        ASSERT_TRUE(line == tag + "unfinished" ||
                    line.find(" of " + tag) == line.size() - 4 - tag.size())
            << line;
    }
    EXPECT_EQ(count, 402);
}

TEST(LineSink, OnATerminalEachPortKeepsOneLineRedrawnInPlace) {
    std::ostringstream out;
    LineSink sink(out, true, 2);
    sink.Line(0, "COM3: waiting");
    sink.Line(1, "COM4: unit 1");
    // The time since the station began leads each line.
    const std::string shown = std::regex_replace(out.str(), std::regex("\\d\\d:\\d\\d "), "");
    EXPECT_EQ(shown,
              "\r\x1b[2KCOM3: waiting\n\r\x1b[2K\n"
              "\x1b[2A\r\x1b[2KCOM3: waiting\n\r\x1b[2KCOM4: unit 1\n");
}

// The block is redrawn only where it is drawn on a terminal: stdout, whatever stderr is.
TEST(LineSink, TheLiveBlockOnlyWhereStdoutIsATerminal) {
    std::ostringstream out, err;
    EXPECT_FALSE(MakeOutput(false, {true, false}, out, err, {})->LivePortLines());
    EXPECT_TRUE(MakeOutput(false, {false, true}, out, err, {})->LivePortLines());
    EXPECT_FALSE(MakeOutput(true, {true, true}, out, err, {})->LivePortLines());
}

}  // namespace
}  // namespace tarvek::cli
