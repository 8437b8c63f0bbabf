#include "cli/command/term_verb.h"

#include <fstream>

#include "cli/command/raw_verbs.h"
#include "cli/output/byte_dump.h"
#include "cli/output/cli_texts.h"
#include "cli/session/raw_exchange.h"

namespace tarvek::cli {
namespace {

using texts::FormatText;

class Terminal {
  public:
    Terminal(VerbContext& context, bool force) : m_context(context), m_bForce(force) {}

    // A typed line: a command of the terminal or bytes to send. False once it ends the session.
    bool Take(const std::string& line, RawLink& raw, std::uint32_t start) {
        Output& output = m_context.output;
        if (line == ":quit") {
            return false;
        }
        if (line == ":hex" || line == ":text") {
            m_bHex = line == ":hex";
            output.Warn(output.Text(m_bHex ? text::kTermHex : text::kTermText));
        } else if (line.rfind(":log ", 0) == 0) {
            const std::string file = line.substr(5);
            m_log.close();
            m_log.open(file, std::ios::app);
            output.Warn(m_log ? FormatText(output.Text(text::kTermLogging), file.c_str())
                              : OutcomeText(FileUnwritable(file), output.Words()));
        } else if (!line.empty() && line[0] == ':') {
            output.Warn(FormatText(output.Text(text::kTermUnknown), line.c_str()));
        } else {
            Send(line, raw, start);
        }
        return true;
    }

    void Received(const ReceivedPiece& piece) {
        m_context.output.Arrived(piece);
        Log('<', piece.atMs, piece.bytes);
    }

  private:
    void Send(const std::string& line, RawLink& raw, std::uint32_t start) {
        Bytes bytes;
        InputError error;
        if (!TypedBytes(m_bHex ? line : line + "\\r\\n", m_bHex, m_bForce, bytes, error)) {
            m_context.output.Warn(ProblemText(error, m_context.output.Words()));
            return;
        }
        raw.Link().Write(bytes);
        Log('>', ElapsedMs(start, m_context.services.clock.NowMs()), bytes);
    }

    void Log(char direction, std::uint32_t atMs, const Bytes& bytes) {
        if (m_log.is_open()) {
            m_log << direction << PieceLines(atMs, bytes).substr(1) << std::flush;
        }
    }

    VerbContext& m_context;
    bool m_bForce;
    bool m_bHex = false;
    std::ofstream m_log;
};

}  // namespace

int RunTerminal(VerbContext& context, TermInput input, bool force) {
    RawLink raw(context.services);
    Outcome outcome;
    if (!raw.Open(context.port, outcome)) {
        return Fail(context.output, outcome);
    }
    Output& output = context.output;
    output.Warn(FormatText(output.Text(text::kTermReady), context.port.portName.c_str()));
    Terminal terminal(context, force);
    Clock& clock = context.services.clock;
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        if (context.services.interrupted.load()) {
            return Fail(output, Failed(failure::Interrupted{}, Step::Wait));
        }
        ReceivedPiece piece;
        const bool arrived = raw.Take(start, piece);
        if (arrived) {
            terminal.Received(piece);
        }
        const bool typed = input.waiting() || input.lines.rdbuf()->in_avail() > 0;
        if (typed) {
            std::string line;
            if (!std::getline(input.lines, line) || !terminal.Take(line, raw, start)) {
                return kExitDone;
            }
        } else if (!arrived) {
            clock.Sleep(kRawPollPauseMs);
        }
    }
}

}  // namespace tarvek::cli
