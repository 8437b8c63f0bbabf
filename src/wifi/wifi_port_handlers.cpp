// Opening and closing the module's port, and how the dialog ends.
#include <cstdlib>

#include "texts/port_conflict_message.h"
#include "res/resource.h"
#include "texts/common_texts.h"
#include "wifi/wifi_dialog_texts.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek {
namespace {

constexpr std::uint32_t kOpenSettleMs = 500;

// The Port settings that Open Port reads; each must have a selection.
constexpr int kPortSettingLists[] = {IDC_WIFI_PORT,     IDC_WIFI_BAUDRATE, IDC_WIFI_PARITY,
                                     IDC_WIFI_DATABITS, IDC_WIFI_STOPBITS, IDC_WIFI_FLOW};

}  // namespace

void CWifiSetDlg::OnOpenPort() {
    ui::DialogHost& host = Host();
    m_bPortOpen = false;
    for (int id : kPortSettingLists) {
        if (host.GetListSelection(id) < 0) {
            const ui::LocalizedMessage& m = ui::kChooseFromListMessage;
            host.ShowMessage(m.text.For(m_nAnsiCodePage), m.caption.For(m_nAnsiCodePage),
                             ui::kMbOk);
            return;
        }
    }
    const std::string port =
        host.GetListItemText(IDC_WIFI_PORT, host.GetListSelection(IDC_WIFI_PORT));
    const int baudRate = std::atoi(
        host.GetListItemText(IDC_WIFI_BAUDRATE, host.GetListSelection(IDC_WIFI_BAUDRATE)).c_str());
    PortHolder holder;
    if (m_services.conflictCheck.Check(port, PortConflictVariant::WifiDialog, holder, host)) {
        host.ShowMessage(FormatPortConflict(port, holder, m_nAnsiCodePage),
                         kPortConflictMessage.caption.For(m_nAnsiCodePage), ui::kMbOk);
        return;
    }
    if (m_protocol.OpenModuleChannel(port, baudRate, host.GetListSelection(IDC_WIFI_PARITY),
                                     host.GetListSelection(IDC_WIFI_DATABITS),
                                     host.GetListSelection(IDC_WIFI_STOPBITS),
                                     host.GetListSelection(IDC_WIFI_FLOW)) != 0) {
        host.ShowMessage(wifitext::kOpenPortFailed.text.For(m_nAnsiCodePage),
                         wifitext::kOpenPortFailed.caption.For(m_nAnsiCodePage), ui::kMbOk);
        return;
    }
    m_services.clock.Sleep(kOpenSettleMs);
    ModuleReply reply;
    if (m_protocol.SetIspMode(true, reply) == 0) {
        m_protocol.CloseModuleChannel();
        ShowMessage(wifitext::kIspModeFailed, wifitext::kErrorCaption);
        return;
    }
    m_bPortOpen = true;
    ApplyState(State::PortOpen);
}

void CWifiSetDlg::OnClosePort() {
    ApplyState(State::Closed);
    LeaveIspModeAndClose();
}

void CWifiSetDlg::LeaveIspModeAndClose() {
    if (!m_bPortOpen) {
        return;
    }
    ModuleReply reply;
    m_protocol.SetIspMode(false, reply);
    m_protocol.CloseModuleChannel();
    m_bPortOpen = false;
}

void CWifiSetDlg::OnClose() {
    RunClosingSteps();
    Host().EndDialog(ui::kIdCancel);
}

// Escape ends the dialog as closing it does, so the module never stays in ISP mode with the
// port held after the dialog is gone.
void CWifiSetDlg::OnCancel() {
    OnClose();
}

void CWifiSetDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    // Exit is disabled while the port is open; should OK come anyway, the port is not left held.
    if (m_bPortOpen) {
        RunClosingSteps();
    }
    Host().EndDialog(ui::kIdOk);
}

}  // namespace tarvek
