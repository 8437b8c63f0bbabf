// The trace file: every chunk written to the printer and read from it, with its time in
// milliseconds since the trace began and the step it belongs to. The secrets inside commands
// (the PIN of the PIN command, the register images of the WEP keys, the passphrase and the
// pre-shared key, written or read) are masked unless secrets are to be shown.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "link/clock.h"
#include "link/printer_link.h"

namespace tarvek::cli {

// The bytes of a host chunk that carry a secret: [begin, end), empty when none do; reply is
// true when the chunk asks for a register whose answer carries one.
struct SecretSpan {
    std::size_t begin = 0, end = 0;
    bool reply = false;
};
SecretSpan FindSecret(const std::uint8_t* chunk, std::size_t count);

class TraceRecorder {
  public:
    TraceRecorder(std::ostream& out, Clock& clock, bool showSecrets);

    void SetStep(const std::string& step) { m_step = step; }
    // A chunk the host wrote; its write began at startMs. The link's idle preamble (two zero
    // bytes before the first write after an open, or after a minute without one: the contract
    // of printer_link.h) is traced before it, at startMs.
    void Host(const std::uint8_t* data, int count, std::uint32_t startMs);
    void Printer(const std::uint8_t* data, int count);
    void LinkOpened() { m_bWroteSinceOpen = false; }

  private:
    void Line(const char* direction, std::uint32_t atMs, const std::uint8_t* data, int count,
              std::size_t maskBegin, std::size_t maskEnd);

    std::ostream& m_out;
    Clock& m_clock;
    std::uint32_t m_startMs;
    bool m_bShowSecrets;
    std::string m_step;
    bool m_bWroteSinceOpen = false;
    std::uint32_t m_lastWriteMs = 0;
    bool m_bSecretReply = false;
    std::size_t m_replyOffset = 0;
};

}  // namespace tarvek::cli
