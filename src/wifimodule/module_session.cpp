#include "wifimodule/module_session.h"

#include <cstring>

#include "wifimodule/encryption_rules.h"

namespace tarvek {
namespace {

constexpr std::uint32_t kOpenSettleMs = 500;

}  // namespace

ModuleOpen ModuleSession::Open(const PortRequest& request) {
    Close();
    if (OpenChannel(m_channels, request) != 0) {
        return ModuleOpen::OpenFailed;
    }
    m_clock.Sleep(kOpenSettleMs);
    ModuleReply reply;
    if (m_protocol.SetIspMode(true, reply) == 0) {
        CloseChannel(m_channels);
        if (m_lostReply == LostReply::LeaveIspMode && OpenChannel(m_channels, request) == 0) {
            m_protocol.SetIspMode(false, reply);
            CloseChannel(m_channels);
        }
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
    CloseChannel(m_channels);
    m_bOpen = false;
}

SequenceResult ModuleSession::AfterLostReply(SequenceResult result) {
    if (result.failure == StepFailure::NoReply && m_lostReply == LostReply::LeaveIspMode) {
        Close();
        result.ispModeLeft = true;
    }
    return result;
}

SequenceResult ModuleSession::Read(ModuleSettings& settings, const StepObserver& onStep) {
    return AfterLostReply(ReadWifiSettings(m_protocol, settings, onStep));
}

SequenceResult ModuleSession::Save(const ModuleSettings& settings, const StepObserver& onStep) {
    return AfterLostReply(WriteWifiSettings(m_protocol, settings, onStep));
}

ModuleSettings ModuleSession::ExpectedAfterSave(const ModuleSettings& saved) {
    ModuleSettings expected = WithEncryptionFixes(saved);
    // Read back as the option register tells it: WPA without a WPA mode is no encryption.
    expected.encryption =
        EncryptionOfOptions(WepTypeOf(expected.encryption), WpaModeCode(expected.wpaAuth));
    for (std::string* text : {&expected.ssid, &expected.passphrase}) {
        text->resize(strnlen(text->c_str(), kModuleTextBytes));
    }
    const ModuleSettings written = WithEncryptionFixes(saved);
    for (int index = 0; index < kRegisterCount; ++index) {
        const bool sent = index != kPskRegister || saved.kind == WifiModuleKind::WpaCapable;
        expected.images[static_cast<std::size_t>(index)] =
            sent ? BuildRegisterImage(index, written) : Bytes{};
    }
    return expected;
}

}  // namespace tarvek
