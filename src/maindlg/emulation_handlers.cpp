// Get Emulation, Set CPCL and Set ESC/POS.
#include <cstring>

#include "maindlg/main_texts.h"
#include "maindlg/tarvek_dlg.h"

namespace tarvek {

void CTarvekDlg::OnGetEmulation() {
    std::uint8_t answer[256];
    std::memset(answer, 0, sizeof answer);
    Send(BuildEmulationQuery());
    const int count = ReadAnswer(answer, sizeof answer);
    if (count == 0) {
        ShowError(maintext::kNoResponse);
        return;
    }
    switch (ParseEmulationAnswer(answer, count)) {
        case kEmulationCpcl:
            m_strEmulation = maintext::kEmulationCpclText;
            m_nEmulation = kEmulationCpcl;
            break;
        case kEmulationEscPos:
            m_strEmulation = maintext::kEmulationEscPosText;
            m_nEmulation = kEmulationEscPos;
            break;
        default:
            m_strEmulation = maintext::kEmulationUnknownText;
            break;
    }
    ShowStrings();
}

void CTarvekDlg::OnSetCpcl() {
    SwitchEmulation(kEmulationCpcl);
}

void CTarvekDlg::OnSetEscPos() {
    SwitchEmulation(kEmulationEscPos);
}

void CTarvekDlg::SwitchEmulation(int emulation) {
    Send(BuildSetEmulation(emulation));
    CloseActiveLink();
    m_nEmulation = emulation;
    ApplyState(StateColumn::AfterSetEmulation);
    m_strEmulation =
        emulation == kEmulationCpcl ? maintext::kEmulationCpclText : maintext::kEmulationEscPosText;
    ShowStrings();
}

}  // namespace tarvek
