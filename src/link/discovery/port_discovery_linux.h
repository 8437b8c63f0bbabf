// Port discovery on Linux over a chosen file-system root and conflict check, so tests run it
// on a fake tree (sys/, dev/, proc/ below root) with a check of their own.
#pragma once

#include <string>
#include <vector>

#include "link/conflict/port_conflict_check.h"
#include "link/discovery/port_discovery.h"

namespace tarvek {

// root ends with '/'. Device paths in the results are as the system names them ("/dev/..."),
// without root.
std::vector<PortInfo> ListLinuxPorts(const std::string& root, PortConflictCheck& check,
                                     const std::vector<std::string>& extraPaths);

}  // namespace tarvek
