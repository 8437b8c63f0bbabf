// What the Windows socket links share: Winsock started once for the process, and the wait for
// a connect begun on a non-blocking socket (a TCP one, or a Bluetooth RFCOMM one).
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>

#include "link/network/tcp_link.h"

namespace tarvek {

bool WinsockReady();

// After connect on the non-blocking socket s gave started (0, or its WSAGetLastError):
// Connected once the far end accepted, Refused when it refused, Failed on any other error,
// when no answer came within timeoutMs, or once stop is set.
TcpConnect AwaitConnect(SOCKET s, int started, std::uint32_t timeoutMs,
                        const std::atomic<bool>* stop = nullptr);

}  // namespace tarvek
