// Save Serial Port Configuration: the printer's own line settings, in its emulation's language.
#include <cstdlib>

#include "maindlg/control_states.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"
#include "texts/port_texts.h"

namespace tarvek {

void CTarvekDlg::OnSaveSerialConfig() {
    ui::DialogHost& host = Host();
    // The settings are checked before anything is sent: a typed text is no setting. Data bits
    // and flow control count only in ESC/POS, which the session's query tells.
    const int baudIndex = RequireSelection(IDC_BAUDRATE);
    if (baudIndex < 0) {
        return;
    }
    SerialLineSettings settings{};
    settings.baudRate = std::atoi(host.GetListItemText(IDC_BAUDRATE, baudIndex).c_str());
    if ((settings.parityIndex = RequireSelection(IDC_PARITY)) < 0 ||
        (settings.stopBitsIndex = RequireSelection(IDC_STOPBITS)) < 0) {
        return;
    }
    settings.dataBitsIndex = host.GetListSelection(IDC_DATABITS);
    settings.flowIndex = host.GetListSelection(IDC_FLOW);
    const PrinterResult result = m_session.SaveSerialConfig(settings);
    if (result.failure == PrinterFailure::BadValue) {
        ShowError(texts::kChooseFromListMessage);
    }
    if (!Learn(result)) {
        return;
    }
    // The closed state, Close Port among it (the session has closed the link).
    ApplyState(kStateAfterSaveSerial);
}

}  // namespace tarvek
