// Open Port and Close Port.
#include "maindlg/control_states.h"
#include "maindlg/main_line_form.h"
#include "maindlg/tarvek_dlg.h"
#include "printer/code_page_table.h"
#include "texts/port_texts.h"
#include "texts/printer_texts.h"

namespace tarvek {
TransportKind MainPortKind(const std::string& portText) {
    if (portText.find("COM") != std::string::npos) {
        return TransportKind::Serial;
    }
    return portText.find("USB") != std::string::npos ? TransportKind::Usb : TransportKind::None;
}

void CTarvekDlg::OnOpenPort() {
    ui::DialogHost& host = Host();
    // A link an earlier Open Port left open (its emulation query failed) is released first, so
    // the exclusive port can be opened again.
    if (m_session.IsLinkOpen()) {
        m_session.Close();
    }
    // 1. The inputs; a typed text that is no list item is refused.
    PortRequest request;
    if (!kMainLineForm.ReadRequest(host, m_nAnsiCodePage, request) ||
        request.kind == TransportKind::None) {
        return;
    }
    // 2. A Windows printer driver on the port.
    const PortCheckResult check =
        m_services.printer.conflictCheck.Check(request.portName, PortConflictVariant::MainDialog);
    m_conflict = check.holder;
    if (check.state == PortCheck::ListUnreadable) {
        ShowError(texts::kPrinterListUnreadable);
    } else if (check.state == PortCheck::Held) {
        host.ShowMessage(
            texts::FormatPortConflict(m_conflict.portName, m_conflict, m_nAnsiCodePage),
            texts::kPortConflictMessage.caption.For(m_nAnsiCodePage), ui::kMbOk);
        return;
    }
    // 3 and 4. The link, then the printer's emulation; when the query fails the link stays
    // open and nothing changes.
    const PrinterResult result = m_session.Open(request);
    if (result.failure == PrinterFailure::OpenFailed) {
        ShowError(request.kind == TransportKind::Usb ? texts::kUsbOpenFailed
                                                     : texts::kSerialOpenFailed);
        return;
    }
    if (!Learn(result)) {
        return;
    }
    // 5, 6 and 10: the port-open state (the line combos by port kind and emulation, and the
    // code-page group in ESC/POS).
    ApplyState(kStatePortOpen);
    // 7. The power-save list.
    FillPowerSaveList();
    m_strPowerSaveMinutes = "?";
    // 8. The code-page list, in ESC/POS only.
    if (m_nEmulation == kEmulationEscPos) {
        FillCodePageList();
    }
    // 9.
    ShowStrings();
}

void CTarvekDlg::FillPowerSaveList() {
    Host().ResetList(IDC_POWER_SAVE);
    for (const PrinterValue& mode : kPowerSaveModes) {
        Host().AddListItem(IDC_POWER_SAVE, mode.label);
    }
    Host().SelectListItem(IDC_POWER_SAVE, 0);
}

void CTarvekDlg::FillCodePageList() {
    Host().ResetList(IDC_CODE_PAGE);
    // The list always starts at the first code page.
    const int selectedCodePage = 0;
    for (int number = 0; number < kCodePageCount; ++number) {
        Host().AddListItem(IDC_CODE_PAGE, CodePageName(number));
    }
    Host().SelectListItem(IDC_CODE_PAGE, selectedCodePage);
}

void CTarvekDlg::OnClosePort() {
    m_session.Close();
    ApplyState(kStateClosePort);
}

}  // namespace tarvek
