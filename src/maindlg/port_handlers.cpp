// Open Port and Close Port.
#include <cstdlib>

#include "texts/port_conflict_message.h"
#include "printer/code_page_table.h"
#include "maindlg/main_texts.h"
#include "maindlg/tarvek_dlg.h"
#include "res/resource.h"

namespace tarvek {
namespace {

constexpr const char* kPowerSaveItems[kPowerSaveModeCount] = {
    "None Power Save",
    "Power Off Mode",
    "Power Save Mode",
};

// The line settings selected in the dialog (list positions, and the baud rate's number).
struct LineInputs {
    std::string port;
    int baudRate = 0;
    int parity = 0, dataBits = 0, stopBits = 0, flow = 0;
};

}  // namespace

void CTarvekDlg::OnOpenPort() {
    ui::DialogHost& host = Host();
    // A link an earlier Open Port left open (its emulation query failed) is released first, so
    // the exclusive port can be opened again.
    if (m_bLinkOpen) {
        CloseActiveLink();
    }
    // 1. The inputs; a typed text that is no list item is refused.
    LineInputs in;
    const int portIndex = RequireSelection(IDC_PORT);
    if (portIndex < 0) {
        return;
    }
    in.port = host.GetListItemText(IDC_PORT, portIndex);
    const bool serial = in.port.find("COM") != std::string::npos;
    if (serial) {
        const int baudIndex = RequireSelection(IDC_BAUDRATE);
        if (baudIndex < 0 || (in.parity = RequireSelection(IDC_PARITY)) < 0 ||
            (in.dataBits = RequireSelection(IDC_DATABITS)) < 0 ||
            (in.stopBits = RequireSelection(IDC_STOPBITS)) < 0 ||
            (in.flow = RequireSelection(IDC_FLOW)) < 0) {
            return;
        }
        in.baudRate = std::atoi(host.GetListItemText(IDC_BAUDRATE, baudIndex).c_str());
    } else if (in.port.find("USB") == std::string::npos) {
        return;
    }
    // 2. A Windows printer driver on the port.
    if (m_services.conflictCheck.Check(in.port, PortConflictVariant::MainDialog, m_conflict,
                                       host)) {
        host.ShowMessage(FormatPortConflict(m_conflict.portName, m_conflict, m_nAnsiCodePage),
                         kPortConflictMessage.caption.For(m_nAnsiCodePage), ui::kMbOk);
        return;
    }
    // 3. The link the port name asks for.
    ChannelSet& channels = m_services.mainChannels;
    if (serial) {
        channels.kind = TransportKind::Serial;
        if (channels.serial.Open(in.port, in.baudRate, in.parity, in.dataBits, in.stopBits,
                                 in.flow) != 0) {
            channels.serial.Close();
            ShowError(maintext::kSerialOpenFailed);
            return;
        }
    } else {
        channels.kind = TransportKind::Usb;
        if (channels.usb.Open(in.port) != 0) {
            channels.usb.Close();
            ShowError(maintext::kUsbOpenFailed);
            return;
        }
    }
    m_bLinkOpen = true;
    // 4. The printer's emulation; on failure the link stays open and nothing changes.
    const int query = QueryEmulation();
    if (query != 0) {
        ShowQueryFailure(query);
        return;
    }
    // 5, 6 and 10: the port-open state (the line combos by port kind and emulation, and the
    // code-page group in ESC/POS).
    ApplyState(StateColumn::PortOpen);
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
    for (const char* item : kPowerSaveItems) {
        Host().AddListItem(IDC_POWER_SAVE, item);
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
    CloseActiveLink();
    ApplyState(StateColumn::ClosePort);
}

}  // namespace tarvek
