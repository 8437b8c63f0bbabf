// How the program finds printers: this machine's ports, described, and the line at which a
// printer answers on some of them. The program gets the platform's; tests give their own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/discovery/port_discovery.h"
#include "printer/line_detection.h"

namespace tarvek::cli {

struct PortFinder {
    // The named paths first (described even when no scan lists them), then the ports found.
    std::function<std::vector<PortInfo>(const std::vector<std::string>& paths)> list;
    using DetectFunction = std::function<std::vector<LineDetection>(
        const std::vector<std::string>& ports, const DetectionPlan& plan)>;
    DetectFunction detect;
};

}  // namespace tarvek::cli
