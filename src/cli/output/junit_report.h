// The station's printers as a JUnit XML test report, one test case per printer, for the
// dashboards of build servers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek::cli {

struct StationCase {
    std::string port;
    std::string address;
    int unit = 0;
    bool ok = false;
    std::string failure;  // the step and message of a failed printer
    std::uint32_t durationMs = 0;
};

std::string JunitXml(const std::string& suite, const std::vector<StationCase>& cases);

}  // namespace tarvek::cli
