// One raw exchange for a technician: the given bytes in one write, then whatever the printer
// sends back within a wait, each piece with its time. Bytes that would take the Wi-Fi module
// into its programming mode or write its flash are recognised, so the verb can refuse them:
// a module left half way through such an exchange may not work again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cli/session/connection.h"

namespace tarvek::cli {

// The pause between two empty reads of the link.
inline constexpr std::uint32_t kRawPollPauseMs = 10;

struct RawWait {
    std::uint32_t ms = 1000;
    std::size_t expect = 0;  // stop once this many bytes came (0: wait the whole time)
};

struct ReceivedPiece {
    std::uint32_t atMs;  // after the write
    Bytes bytes;
};

struct RawExchange {
    Bytes sent;
    std::vector<ReceivedPiece> received;
    std::size_t ReceivedCount() const;
};

// The printer's port held open for raw traffic (the port check first), closed at the end.
class RawLink {
  public:
    explicit RawLink(Services& services) : m_services(services) {}
    ~RawLink();
    RawLink(const RawLink&) = delete;
    RawLink& operator=(const RawLink&) = delete;

    bool Open(const PortRequest& port, Outcome& outcome);
    PrinterLink& Link() { return *m_services.channels.Active(); }
    // The bytes waiting now, with their time from start; false when none are.
    bool Take(std::uint32_t start, ReceivedPiece& piece);

  private:
    Services& m_services;
    bool m_bOpen = false;
};

// True when the bytes hold the switch into the module's ISP mode or its flash command.
bool ChangesModule(const Bytes& bytes);

// The port checked and opened, the bytes written, the answer gathered, the port closed. An
// exchange without an answer fails as the printer's NoAnswer in the wait step.
bool ExchangeRaw(Services& services, const PortRequest& port, RawWait wait, RawExchange& exchange,
                 Outcome& outcome);

}  // namespace tarvek::cli
