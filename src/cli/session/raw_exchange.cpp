#include "cli/session/raw_exchange.h"

#include <algorithm>

#include "cli/session/apply.h"
#include "wifimodule/module_codec.h"

namespace tarvek::cli {
namespace {

constexpr std::uint32_t kPollPauseMs = 10;

bool Contains(const Bytes& bytes, const Bytes& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

// Closes the link the port's kind names when the exchange ends, however it ends.
class OpenLink {
  public:
    explicit OpenLink(ChannelSet& channels) : m_channels(channels) {}
    ~OpenLink() { CloseChannel(m_channels); }
    OpenLink(const OpenLink&) = delete;
    OpenLink& operator=(const OpenLink&) = delete;

  private:
    ChannelSet& m_channels;
};

}  // namespace

std::size_t RawExchange::ReceivedCount() const {
    std::size_t count = 0;
    for (const ReceivedPiece& piece : received) {
        count += piece.bytes.size();
    }
    return count;
}

bool ChangesModule(const Bytes& bytes) {
    return Contains(bytes, BuildIspModeSwitch(true)) ||
           Contains(bytes, BuildCommandFrame(kFlashCommand));
}

bool ExchangeRaw(Services& services, const PortRequest& port, RawWait wait, RawExchange& exchange,
                 Outcome& outcome) {
    Connection connection(services, port);
    if (!connection.CheckPort(VariantFor(false), outcome)) {
        return false;
    }
    const PortRef where{port.kind, port.portName};
    if (OpenChannel(services.channels, port) != 0) {
        outcome = Failed(failure::Printer{PrinterFailure::OpenFailed, where}, Step::Open);
        return false;
    }
    OpenLink open(services.channels);
    if (services.trace != nullptr) {
        services.trace->SetStep(StepName(Step::Wait));
    }
    PrinterLink& link = *services.channels.Active();
    link.Write(exchange.sent);
    Clock& clock = services.clock;
    const std::uint32_t start = clock.NowMs();
    std::uint8_t buffer[256];
    for (;;) {
        const int count = link.Read(buffer, static_cast<int>(sizeof buffer));
        const std::uint32_t at = ElapsedMs(start, clock.NowMs());
        if (count > 0) {
            exchange.received.push_back({at, Bytes(buffer, buffer + count)});
        }
        if ((wait.expect > 0 && exchange.ReceivedCount() >= wait.expect) || at >= wait.ms) {
            break;
        }
        if (services.interrupted.load()) {
            outcome = Failed(failure::Interrupted{}, Step::Wait);
            return false;
        }
        clock.Sleep(kPollPauseMs);
    }
    if (exchange.received.empty()) {
        outcome = Failed(failure::Printer{PrinterFailure::NoAnswer, where}, Step::Wait);
        return false;
    }
    return true;
}

}  // namespace tarvek::cli
