#include "app/placeholder_tarvek_dlg.h"

#include "app/about_dlg.h"
#include "res/resource.h"

namespace tarvek::app {

PlaceholderTarvekDlg::PlaceholderTarvekDlg(DialogServices& services)
    : DialogLogic(IDD_TARVEK_DIALOG), m_services(services) {}

bool PlaceholderTarvekDlg::CanExit() {
    if (m_pAutoProxy != nullptr) {
        Host().ShowWindow(false);
        return false;
    }
    return true;
}

bool PlaceholderTarvekDlg::OnInitDialog() {
    ui::DialogHost& host = Host();
    const std::string about = host.LoadResourceString(IDS_ABOUTBOX);
    if (!about.empty()) {
        host.AppendSystemMenuItem(IDM_ABOUTBOX, about);
    }
    host.SetDialogIcon(IDR_MAINFRAME);
    return true;
}

void PlaceholderTarvekDlg::OnOK() {
    if (CanExit()) {
        DialogLogic::OnOK();
    }
}

void PlaceholderTarvekDlg::OnCancel() {
    if (CanExit()) {
        DialogLogic::OnCancel();
    }
}

void PlaceholderTarvekDlg::OnClose() {
    if (CanExit()) {
        DialogLogic::OnCancel();
    }
}

bool PlaceholderTarvekDlg::OnSysCommand(unsigned commandId) {
    if ((commandId & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
    }
    CAboutTarvekDlg about;
    Host().RunModal(about);
    return true;
}

}  // namespace tarvek::app
