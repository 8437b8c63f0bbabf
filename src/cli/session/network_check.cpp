#include "cli/session/network_check.h"

#include <memory>

#include "cli/settings/key_table.h"
#include "link/network/tcp_link.h"

namespace tarvek::cli {
namespace {

constexpr std::uint32_t kAskAgainMs = 1000;

std::string DottedAddress(std::uint32_t ip) {
    Value value;
    value.number = ip;
    return FormatValue(Spec(KeyId::WifiIp), value);
}

}  // namespace

NetworkCheck AwaitNetwork(Services& services, std::uint32_t ip, int waitSeconds) {
    NetworkCheck check;
    if (ip == 0) {
        check.result = Joined::AddressUnknown;
        return check;
    }
    check.port = TcpPortName({DottedAddress(ip), kPrinterTcpPort});
    check.result = Joined::NotReached;
    check.seconds = waitSeconds;
    const std::unique_ptr<SerialPrinterLink> link =
        services.networkLink ? services.networkLink() : nullptr;
    if (!link) {
        return check;
    }
    TransportKind kind = TransportKind::Serial;
    ChannelSet channels{*link, services.channels.usb, kind};
    PrinterSession session(channels, services.clock);
    const PortRequest request{TransportKind::Serial, check.port, {}, LinkKind::Network};
    const std::uint32_t start = services.clock.NowMs();
    const std::uint32_t limit = static_cast<std::uint32_t>(waitSeconds) * 1000;
    while (!services.interrupted.load()) {
        const bool answered = session.Open(request).failure == PrinterFailure::None;
        session.Close();
        const std::uint32_t spent = ElapsedMs(start, services.clock.NowMs());
        if (answered) {
            check.result = Joined::Joined;
            check.seconds = static_cast<int>(spent / 1000);
            break;
        }
        if (spent + kAskAgainMs > limit) {
            break;
        }
        services.clock.Sleep(kAskAgainMs);
    }
    return check;
}

std::string NetworkRecord(const NetworkCheck& check) {
    switch (check.result) {
        case Joined::Joined:
            return "joined after " + std::to_string(check.seconds) + " s";
        case Joined::NotReached:
            return "not reached";
        case Joined::AddressUnknown:
            return "address unknown";
        case Joined::NotAsked:
            break;
    }
    return "";
}

}  // namespace tarvek::cli
