// A link of the serial kind over a connected stream socket: the network printer's TCP socket,
// and on Windows the RFCOMM socket of a paired Bluetooth printer. How the socket is reached is
// the caller's; the rest is shared. The line settings of Open play no part and Reconfigure
// takes any line without reopening: the printer's own serial port is not the one in use.
// Write and Read keep the serial link's contract (the idle preamble, chunks of 64 bytes with a
// 1000 ms bound, Read returning what is waiting, gathered as a batch).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/printer_link.h"
#include "link/network/tcp_socket.h"

namespace tarvek {

// Connects socket to the printer that portName names; false for a name of another kind or
// when no connection came.
using SocketConnect = std::function<bool(const std::string& portName, TcpSocket& socket)>;

std::unique_ptr<SerialPrinterLink> MakeSocketLink(Clock& clock, InputPurge purge,
                                                  SocketConnect connect);

}  // namespace tarvek
