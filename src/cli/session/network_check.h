// After a Wi-Fi save: whether the printer joined the network, seen as its answer to the
// emulation query on its raw print port (tcp:<wifi.ip>:9100), asked again every second until
// the wait runs out. A module set up for DHCP (IP 0.0.0.0) has an address only its network
// knows, so it is not looked for.
#pragma once

#include <cstdint>
#include <string>

#include "cli/session/connection.h"

namespace tarvek::cli {

struct NetworkPlan {
    bool verify = false;
    int waitSeconds = 60;
};

enum class Joined : int { NotAsked, Joined, NotReached, AddressUnknown };

struct NetworkCheck {
    Joined result = Joined::NotAsked;
    int seconds = 0;   // Joined: after how long; NotReached: the wait
    std::string port;  // where the printer was looked for
};

NetworkCheck AwaitNetwork(Services& services, std::uint32_t ip, int waitSeconds);

// The result as the audit and JSON give it: "joined after 3 s", "not reached", "address unknown"
// ("" when not asked).
std::string NetworkRecord(const NetworkCheck& check);

}  // namespace tarvek::cli
