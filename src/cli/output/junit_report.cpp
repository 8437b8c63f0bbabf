#include "cli/output/junit_report.h"

#include <cstdio>

namespace tarvek::cli {
namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Seconds(std::uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u", ms / 1000, ms % 1000);
    return text;
}

}  // namespace

std::string JunitXml(const std::string& suite, const std::vector<StationCase>& cases) {
    int failures = 0;
    std::uint32_t totalMs = 0;
    std::string body;
    for (const StationCase& c : cases) {
        failures += c.ok ? 0 : 1;
        totalMs += c.durationMs;
        body += "    <testcase classname=\"" + Escaped(c.port) + "\" name=\"unit " +
                std::to_string(c.unit) + " " + Escaped(c.address) + "\" time=\"" +
                Seconds(c.durationMs) + "\"";
        body +=
            c.ok ? "/>\n"
                 : ">\n      <failure message=\"" + Escaped(c.failure) + "\"/>\n    </testcase>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n  <testsuite name=\"" +
           Escaped(suite) + "\" tests=\"" + std::to_string(cases.size()) + "\" failures=\"" +
           std::to_string(failures) + "\" time=\"" + Seconds(totalMs) + "\">\n" + body +
           "  </testsuite>\n</testsuites>\n";
}

}  // namespace tarvek::cli
