#include "wifimodule/module_session.h"

namespace tarvek {
namespace {

constexpr std::uint32_t kOpenSettleMs = 500;

}  // namespace

TransportKind ModulePortKind(const std::string& portName) {
    const std::string prefix = portName.substr(0, 3);
    if (prefix == "USB") {
        return TransportKind::Usb;
    }
    return prefix == "COM" ? TransportKind::Serial : TransportKind::None;
}

ModuleOpen ModuleSession::Open(const PortRequest& request) {
    Close();
    ChannelSet& channels = m_protocol.Channels();
    if (OpenChannel(channels, request) != 0) {
        return ModuleOpen::OpenFailed;
    }
    m_clock.Sleep(kOpenSettleMs);
    ModuleReply reply;
    if (m_protocol.SetIspMode(true, reply) == 0) {
        CloseChannel(channels);
        return ModuleOpen::NoIspReply;
    }
    m_bOpen = true;
    return ModuleOpen::Opened;
}

void ModuleSession::Close() {
    if (!m_bOpen) {
        return;
    }
    ModuleReply reply;
    m_protocol.SetIspMode(false, reply);
    CloseChannel(m_protocol.Channels());
    m_bOpen = false;
}

}  // namespace tarvek
