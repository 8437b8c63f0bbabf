// Opening and closing the module's port, and how the dialog ends.
#include "res/resource.h"
#include "texts/port_texts.h"
#include "texts/wifi_texts.h"
#include "wifi/wifi_dialog_controls.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek {

TransportKind wifidlg::ModulePortKind(const std::string& portName) {
    const std::string prefix = portName.substr(0, 3);
    if (prefix == "USB") {
        return TransportKind::Usb;
    }
    return prefix == "COM" ? TransportKind::Serial : TransportKind::None;
}

void CWifiSetDlg::OnOpenPort() {
    ui::DialogHost& host = Host();
    PortRequest request;
    if (!wifidlg::kWifiLineForm.ReadRequest(host, m_nAnsiCodePage, request)) {
        return;
    }
    const PortCheckResult check =
        m_services.conflictCheck.Check(request.portName, PortConflictVariant::WifiDialog);
    if (check.state == PortCheck::ListUnreadable) {
        ShowMessage(texts::kPrinterListUnreadable);
    } else if (check.state == PortCheck::Held) {
        host.ShowMessage(texts::FormatPortConflict(request.portName, check.holder, m_nAnsiCodePage),
                         texts::kPortConflictMessage.caption.For(m_nAnsiCodePage), ui::kMbOk);
        return;
    }
    switch (m_session.Open(request)) {
        case ModuleOpen::OpenFailed:
            ShowMessage(texts::kModuleOpenFailed);
            return;
        case ModuleOpen::NoIspReply:
            ShowMessage(texts::kIspModeFailed);
            return;
        case ModuleOpen::Opened:
            ApplyState(PortOpen);
            return;
    }
}

void CWifiSetDlg::OnClosePort() {
    ApplyState(Closed);
    m_session.Close();
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
    if (m_session.IsOpen()) {
        RunClosingSteps();
    }
    Host().EndDialog(ui::kIdOk);
}

}  // namespace tarvek
