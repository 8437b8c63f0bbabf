// Save Serial Port Configuration: the printer's own line settings, in its emulation's language.
#include <cstdlib>

#include "link/debug_output.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"

namespace tarvek {

void CTarvekDlg::OnSaveSerialConfig() {
    ui::DialogHost& host = Host();
    // The settings are checked before anything is sent: a typed text is no setting. Data bits
    // and flow control count only in ESC/POS, which the query below tells.
    const int baudIndex = RequireSelection(IDC_BAUDRATE);
    if (baudIndex < 0) {
        return;
    }
    const int parity = RequireSelection(IDC_PARITY);
    if (parity < 0) {
        return;
    }
    const int stopBits = RequireSelection(IDC_STOPBITS);
    if (stopBits < 0) {
        return;
    }
    const int query = QueryEmulation();
    if (query != 0) {
        ShowQueryFailure(query);
        return;
    }
    const int baudRate = std::atoi(host.GetListItemText(IDC_BAUDRATE, baudIndex).c_str());
    if (m_nEmulation == kEmulationCpcl) {
        const int stopBitsNumber = std::atoi(host.GetListItemText(IDC_STOPBITS, stopBits).c_str());
        for (const std::string& line : BuildCpclSerialLines(baudRate, parity, stopBitsNumber)) {
            Send(Bytes(line.begin(), line.end()));
            DebugOutput(line);
        }
    } else {
        const int dataBits = RequireSelection(IDC_DATABITS);
        if (dataBits < 0) {
            return;
        }
        const int flow = RequireSelection(IDC_FLOW);
        if (flow < 0) {
            return;
        }
        Send(BuildEscPosSerialCommand(baudRate, dataBits, parity, stopBits, flow));
    }
    // The closed state (Close Port among it), then the link itself.
    ApplyState(StateColumn::AfterSaveSerial);
    CloseActiveLink();
}

}  // namespace tarvek
