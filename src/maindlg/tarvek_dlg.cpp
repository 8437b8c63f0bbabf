#include "maindlg/tarvek_dlg.h"

#include <iterator>

#include "controls/dressing.h"
#include "maindlg/control_states.h"
#include "maindlg/main_captions.h"
#include "maindlg/main_line_form.h"
#include "res/resource.h"
#include "texts/port_texts.h"
#include "texts/printer_texts.h"
#include "ui/command_routes.h"

namespace tarvek {
namespace {

// The controls the second enable/disable step of OnInitDialog turns off (after dressing).
constexpr int kDisabledAfterDressing[] = {
    IDC_PIN_CODE,   IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF,
    IDC_POWER_SAVE, IDC_POWER_MINUTES,   IDC_SAVE_POWER_SAVE,
    IDC_CODE_PAGE,  IDC_SAVE_CODE_PAGE,  IDC_PRINT_CODE_PAGE,
};

constexpr ui::CommandRoute<CTarvekDlg> kRoutes[] = {
    {IDC_PORT, ui::kNotifySelChange, &CTarvekDlg::OnPortChange},
    {IDC_DATABITS, ui::kNotifySelChange, &CTarvekDlg::OnDataBitsChange},
    {IDC_PARITY, ui::kNotifySelChange, &CTarvekDlg::OnParityChange},
    {IDC_OPEN_PORT, ui::kNotifyClicked, &CTarvekDlg::OnOpenPort},
    {IDC_CLOSE_PORT, ui::kNotifyClicked, &CTarvekDlg::OnClosePort},
    {IDC_SAVE_SERIAL, ui::kNotifyClicked, &CTarvekDlg::OnSaveSerialConfig},
    {IDC_GET_EMULATION, ui::kNotifyClicked, &CTarvekDlg::OnGetEmulation},
    {IDC_SET_CPCL, ui::kNotifyClicked, &CTarvekDlg::OnSetCpcl},
    {IDC_SET_ESCPOS, ui::kNotifyClicked, &CTarvekDlg::OnSetEscPos},
    {IDC_GET_BLUETOOTH, ui::kNotifyClicked, &CTarvekDlg::OnGetBluetooth},
    {IDC_SAVE_PIN, ui::kNotifyClicked, &CTarvekDlg::OnSavePin},
    {IDC_SAVE_DISCOVERABLE, ui::kNotifyClicked, &CTarvekDlg::OnSaveDiscoverable},
    {IDC_DISCOVERABLE_ON, ui::kNotifyClicked, &CTarvekDlg::OnDiscoverableOn},
    {IDC_DISCOVERABLE_OFF, ui::kNotifyClicked, &CTarvekDlg::OnDiscoverableOff},
    {IDC_PIN_CODE, ui::kNotifyEditChange, &CTarvekDlg::OnPinChange},
    {IDC_START_WIFI, ui::kNotifyClicked, &CTarvekDlg::OnStartWifiSettings},
    {IDC_SAVE_POWER_SAVE, ui::kNotifyClicked, &CTarvekDlg::OnSavePowerSave},
    {IDC_POWER_SAVE, ui::kNotifySelChange, &CTarvekDlg::OnPowerSaveChange},
    {IDC_SAVE_CODE_PAGE, ui::kNotifyClicked, &CTarvekDlg::OnSaveCodePage},
    {IDC_PRINT_CODE_PAGE, ui::kNotifyClicked, &CTarvekDlg::OnPrintCodePage},
};

}  // namespace

CTarvekDlg::CTarvekDlg(MainDialogServices& services)
    : DialogLogic(IDD_TARVEK_DIALOG),
      m_hIcon(IDR_MAINFRAME),
      m_services(services),
      m_session(services.printer.channels, services.printer.clock) {}

void CTarvekDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DdxText(dx, IDC_EMULATION, m_strEmulation);
    ui::DdxText(dx, IDC_BT_ADDRESS, m_strBtAddress);
    ui::DdxText(dx, IDC_PIN_CODE, m_strPinCode);
    ui::DdvMaxChars(dx, IDC_PIN_CODE, m_strPinCode, kMaxPinLength);
    ui::DdxText(dx, IDC_POWER_MINUTES, m_strPowerSaveMinutes);
    ui::DdvMaxChars(dx, IDC_POWER_MINUTES, m_strPowerSaveMinutes, 2);
}

bool CTarvekDlg::OnInitDialog() {
    ui::DialogHost& host = Host();
    // 1. The About item of the system menu.
    const std::string about = host.LoadResourceString(IDS_ABOUTBOX);
    if (!about.empty()) {
        host.AppendSystemMenuItem(IDM_ABOUTBOX, about);
    }
    // 2. The icons.
    host.SetDialogIcon(m_hIcon);
    // 3. The lists and their first selections.
    kMainLineForm.FillLists(host);
    // 4. The initial state of the buttons.
    ApplyState(kStateInitial);
    // 5. The look of the buttons and group boxes.
    controls::DressMainDialog(host);
    // 6. The controls that only an open port brings to life.
    for (int id : kDisabledAfterDressing) {
        host.EnableControl(id, false);
    }
    // 7. The Korean texts.
    m_nAnsiCodePage = host.AnsiCodePage();
    if (m_nAnsiCodePage == texts::kKoreanCodePage) {
        ui::SetKoreanCaptions(host, maintext::kTitle.korean, maintext::kKoreanCaptions,
                              maintext::kKoreanCaptionCount);
    }
    return true;
}

void CTarvekDlg::OnCommand(int id, int code) {
    ui::RouteCommand(*this, kRoutes, id, code);
}

bool CTarvekDlg::CanExit() {
    if (m_pAutoProxy != nullptr) {
        Host().ShowWindow(false);
        return false;
    }
    return true;
}

void CTarvekDlg::OnOK() {
    if (CanExit()) {
        DialogLogic::OnOK();
    }
}

void CTarvekDlg::OnCancel() {
    if (CanExit()) {
        DialogLogic::OnCancel();
    }
}

void CTarvekDlg::OnClose() {
    if (CanExit()) {
        DialogLogic::OnCancel();
    }
}

bool CTarvekDlg::OnSysCommand(unsigned commandId) {
    if ((commandId & 0xFFF0) != IDM_ABOUTBOX) {
        return false;
    }
    if (m_services.makeAboutBox) {
        const std::unique_ptr<ui::DialogLogic> about = m_services.makeAboutBox();
        Host().RunModal(*about);
    }
    return true;
}

void CTarvekDlg::OnPortChange() {
    kMainLineForm.OnPortChange(Host());
}

void CTarvekDlg::OnDataBitsChange() {
    kMainLineForm.OnDataBitsChange(Host());
}

void CTarvekDlg::OnParityChange() {
    kMainLineForm.OnParityChange(Host());
}

void CTarvekDlg::ApplyState(int column) {
    ui::StateContext context;
    context.escPos = m_nEmulation == kEmulationEscPos;
    context.usbPort = m_services.printer.channels.kind == TransportKind::Usb;
    ui::ApplyStateColumn(Host(), kMainDialogStates, kMainDialogStateCount, column, context);
}

bool CTarvekDlg::Learn(const PrinterResult& result) {
    if (result.emulation != kEmulationUnknown) {
        m_nEmulation = result.emulation;
    }
    if (result.Ok()) {
        return true;
    }
    if (const texts::LocalizedMessage* message = texts::QueryFailureMessage(result.failure)) {
        ShowError(*message);
    }
    return false;
}

void CTarvekDlg::ShowError(const texts::LocalizedMessage& message) {
    Host().ShowMessage(message.text.For(m_nAnsiCodePage), message.caption.For(m_nAnsiCodePage),
                       ui::kMbOk);
}

void CTarvekDlg::ShowStrings() {
    m_bShowingStrings = true;
    UpdateData(false);
    m_bShowingStrings = false;
}

int CTarvekDlg::RequireSelection(int comboId) {
    const int index = Host().GetListSelection(comboId);
    if (index < 0 || index >= Host().GetListCount(comboId)) {
        ShowError(texts::kChooseFromListMessage);
        return -1;
    }
    return index;
}

}  // namespace tarvek
