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
    UpdateData(false);
}

void CTarvekDlg::OnSetCpcl() {
    Send(BuildSetEmulation(kEmulationCpcl));
    CloseActiveLink();
    m_nEmulation = kEmulationCpcl;
    ApplyState(StateColumn::AfterSetEmulation);
    m_strEmulation = maintext::kEmulationCpclText;
    UpdateData(false);
}

void CTarvekDlg::OnSetEscPos() {
    Send(BuildSetEmulation(kEmulationEscPos));
    CloseActiveLink();
    m_nEmulation = kEmulationEscPos;
    ApplyState(StateColumn::AfterSetEmulation);
    m_strEmulation = maintext::kEmulationEscPosText;
    UpdateData(false);
}

}  // namespace tarvek
