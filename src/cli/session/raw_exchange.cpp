#include "cli/session/raw_exchange.h"

#include <algorithm>

#include "cli/session/apply.h"
#include "wifimodule/module_codec.h"

namespace tarvek::cli {
namespace {

bool Contains(const Bytes& bytes, const Bytes& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

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

RawLink::~RawLink() {
    if (m_bOpen) {
        CloseChannel(m_services.channels);
    }
}

bool RawLink::Open(const PortRequest& port, Outcome& outcome) {
    Connection connection(m_services, port);
    if (!connection.CheckPort(VariantFor(false), outcome)) {
        return false;
    }
    if (OpenChannel(m_services.channels, port) != 0) {
        outcome = Failed(failure::Printer{PrinterFailure::OpenFailed, {port.link, port.portName}},
                         Step::Open);
        return false;
    }
    m_bOpen = true;
    return true;
}

bool RawLink::Take(std::uint32_t start, ReceivedPiece& piece) {
    std::uint8_t buffer[256];
    const int count = Link().Read(buffer, static_cast<int>(sizeof buffer));
    piece.atMs = ElapsedMs(start, m_services.clock.NowMs());
    piece.bytes.assign(buffer, buffer + std::max(count, 0));
    return count > 0;
}

bool ExchangeRaw(Services& services, const PortRequest& port, RawWait wait, RawExchange& exchange,
                 Outcome& outcome) {
    RawLink raw(services);
    if (!raw.Open(port, outcome)) {
        return false;
    }
    if (services.trace != nullptr) {
        services.trace->SetStep(StepName(Step::Wait));
    }
    raw.Link().Write(exchange.sent);
    Clock& clock = services.clock;
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        ReceivedPiece piece;
        if (raw.Take(start, piece)) {
            exchange.received.push_back(std::move(piece));
        }
        if ((wait.expect > 0 && exchange.ReceivedCount() >= wait.expect) || piece.atMs >= wait.ms) {
            break;
        }
        if (services.interrupted.load()) {
            outcome = Failed(failure::Interrupted{}, Step::Wait);
            return false;
        }
        clock.Sleep(kRawPollPauseMs);
    }
    if (exchange.received.empty()) {
        outcome = Failed(failure::Printer{PrinterFailure::NoAnswer, {port.link, port.portName}},
                         Step::Wait);
        return false;
    }
    return true;
}

}  // namespace tarvek::cli
