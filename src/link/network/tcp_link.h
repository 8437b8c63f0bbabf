// The printer on the network: its raw print port over TCP ("tcp:HOST[:PORT]", 9100 unless
// named), as a link of the serial kind so the printer session drives it unchanged. The line
// settings of Open play no part and Reconfigure takes any line without reopening: the
// printer's own serial port is not the one in use.
//
// Open connects within 5 s in all: a refused connect (a printer still starting its network)
// is tried again after a pause while time is left; each try is a non-blocking connect waited
// on for the time that is left, never longer. Write and Read keep the serial link's contract
// (the idle preamble, chunks of 64 bytes with a 1000 ms bound, Read returning what is waiting).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek {

inline constexpr int kPrinterTcpPort = 9100;
inline constexpr std::uint32_t kTcpConnectLimitMs = 5000;
inline constexpr std::uint32_t kTcpRetryPauseMs = 250;

struct TcpAddress {
    std::string host;
    int port = kPrinterTcpPort;
};

// "tcp:HOST[:PORT]" (a port of 1..65535; "[v6]" brackets an IPv6 address that has a port);
// false for anything else.
bool ParseTcpPortName(const std::string& name, TcpAddress& address);
// The name of an address, its port always given: "tcp:192.168.1.20:9100".
std::string TcpPortName(const TcpAddress& address);

// One connect attempt of a platform's socket.
enum class TcpConnect : int { Connected, Refused, Failed };

class TcpConnector {
  public:
    virtual ~TcpConnector() = default;
    // One connect to the address, waiting at most timeoutMs for it.
    virtual TcpConnect Attempt(const TcpAddress& address, std::uint32_t timeoutMs) = 0;
};

// Connects, trying a refused connect again after kTcpRetryPauseMs while the limit leaves
// time; the clock measures the limit (each attempt is given only what is left of it).
TcpConnect ConnectWithin(TcpConnector& connector, Clock& clock, const TcpAddress& address,
                         std::uint32_t limitMs = kTcpConnectLimitMs);

std::unique_ptr<SerialPrinterLink> MakeTcpLink(Clock& clock,
                                               InputPurge purge = InputPurge::BeforeWrite);

}  // namespace tarvek
