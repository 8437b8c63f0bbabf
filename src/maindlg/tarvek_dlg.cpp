#include "maindlg/tarvek_dlg.h"

#include "app/about_dlg.h"
#include "controls/dressing.h"
#include "maindlg/main_texts.h"
#include "res/resource.h"

namespace tarvek {
namespace {

struct ComboFill {
    int comboId;
    std::vector<const char*> items;
    int selected;
};

// The lists OnInitDialog fills, in their item order, and the item each starts at.
const std::vector<ComboFill>& InitialLists() {
    static const std::vector<ComboFill> lists = {
        {IDC_PORT,
         {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "USB"},
         0},
        {IDC_BAUDRATE, {"115200", "57600", "38400", "19200", "9600"}, 3},
        {IDC_PARITY, {"NONE", "ODD", "EVEN"}, 0},
        {IDC_DATABITS, {"7", "8"}, 1},
        {IDC_STOPBITS, {"1", "2"}, 0},
        {IDC_FLOW, {"DTR/DSR", "Xon/Xoff"}, 0},
    };
    return lists;
}

// The Port list's first item that means USB.
constexpr int kFirstUsbPortIndex = 9;

// The controls the second enable/disable step of OnInitDialog turns off (after dressing).
constexpr int kDisabledAfterDressing[] = {
    IDC_PIN_CODE,   IDC_DISCOVERABLE_ON, IDC_DISCOVERABLE_OFF,
    IDC_POWER_SAVE, IDC_POWER_MINUTES,   IDC_SAVE_POWER_SAVE,
    IDC_CODE_PAGE,  IDC_SAVE_CODE_PAGE,  IDC_PRINT_CODE_PAGE,
};

struct CommandRoute {
    int controlId;
    int notification;
    void (CTarvekDlg::*handler)();
};

constexpr CommandRoute kRoutes[] = {
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

CTarvekDlg::CTarvekDlg(DialogServices& services)
    : DialogLogic(IDD_TARVEK_DIALOG), m_hIcon(IDR_MAINFRAME), m_services(services) {}

void CTarvekDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DdxText(dx, IDC_EMULATION, m_strEmulation);
    ui::DdxText(dx, IDC_BT_ADDRESS, m_strBtAddress);
    ui::DdxText(dx, IDC_PIN_CODE, m_strPinCode);
    ui::DdvMaxChars(dx, IDC_PIN_CODE, m_strPinCode, 10);
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
    for (const ComboFill& list : InitialLists()) {
        host.ResetList(list.comboId);
        for (const char* item : list.items) {
            host.AddListItem(list.comboId, item);
        }
        host.SelectListItem(list.comboId, list.selected);
    }
    // 4. The initial state of the buttons.
    ApplyState(StateColumn::Initial);
    // 5. The look of the buttons and group boxes.
    controls::DressMainDialog(host);
    // 6. The controls that only an open port brings to life.
    for (int id : kDisabledAfterDressing) {
        host.EnableControl(id, false);
    }
    // 7. The Korean texts.
    m_nAnsiCodePage = host.AnsiCodePage();
    if (m_nAnsiCodePage == ui::kKoreanCodePage) {
        host.SetTitle(maintext::kTitle.korean);
        for (const maintext::KoreanCaption& caption : maintext::KoreanCaptions()) {
            host.SetText(caption.controlId, caption.korean);
        }
    }
    return true;
}

void CTarvekDlg::OnCommand(int id, int code) {
    for (const CommandRoute& route : kRoutes) {
        if (route.controlId == id && route.notification == code) {
            (this->*route.handler)();
            return;
        }
    }
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
    CAboutTarvekDlg about;
    Host().RunModal(about);
    return true;
}

void CTarvekDlg::OnPortChange() {
    const bool usb = Host().GetListSelection(IDC_PORT) >= kFirstUsbPortIndex;
    controls::DressMainPortButtons(Host(), usb);
    for (int id : {IDC_BAUDRATE, IDC_DATABITS, IDC_PARITY, IDC_STOPBITS, IDC_FLOW}) {
        Host().EnableControl(id, !usb);
    }
}

void CTarvekDlg::OnDataBitsChange() {
    CheckDataBitsParity(IDC_DATABITS, 1);
}

void CTarvekDlg::OnParityChange() {
    CheckDataBitsParity(IDC_PARITY, 1);
}

void CTarvekDlg::CheckDataBitsParity(int changedId, int replacementIndex) {
    ui::DialogHost& host = Host();
    if (host.GetListSelection(IDC_DATABITS) != 0 || host.GetListSelection(IDC_PARITY) != 0) {
        return;
    }
    host.ShowMessage(maintext::kDataBitsParityText, maintext::kDataBitsParityCaption, ui::kMbOk);
    host.SelectListItem(changedId, replacementIndex);
}

void CTarvekDlg::ApplyState(StateColumn column) {
    const bool usb = m_services.mainChannels.kind == TransportKind::Usb;
    for (const StateRow& row : MainDialogStateTable()) {
        const int effect = CellEffect(row.cells[static_cast<int>(column)], m_nEmulation, usb);
        if (effect >= 0) {
            Host().EnableControl(row.controlId, effect == 1);
        }
    }
}

}  // namespace tarvek
