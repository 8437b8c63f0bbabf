// Get Emulation, Set CPCL and Set ESC/POS.
#include "maindlg/control_states.h"
#include "maindlg/tarvek_dlg.h"
#include "texts/printer_texts.h"

namespace tarvek {

void CTarvekDlg::OnGetEmulation() {
    const PrinterResult result = m_session.QueryEmulation();
    // An answer that is no emulation code shows only in the field.
    if (result.failure == PrinterFailure::NoAnswer) {
        ShowError(texts::kNoResponse);
        return;
    }
    if (result.Ok()) {
        m_nEmulation = result.emulation;
    }
    m_strEmulation = texts::EmulationName(result.emulation);
    ShowStrings();
}

void CTarvekDlg::OnSetCpcl() {
    SwitchEmulation(kEmulationCpcl);
}

void CTarvekDlg::OnSetEscPos() {
    SwitchEmulation(kEmulationEscPos);
}

void CTarvekDlg::SwitchEmulation(int emulation) {
    m_session.SetEmulation(emulation);
    m_nEmulation = emulation;
    ApplyState(kStateAfterSetEmulation);
    m_strEmulation = texts::EmulationName(emulation);
    ShowStrings();
}

}  // namespace tarvek
