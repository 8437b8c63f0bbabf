#include "wifi/wifi_set_dlg.h"

#include <iterator>

#include "controls/dressing.h"
#include "res/resource.h"
#include "wifi/wifi_dialog_controls.h"
#include "wifi/wifi_dialog_texts.h"

namespace tarvek {
namespace {

using wifidlg::kKeyEdits;
using wifidlg::kKeyFormatCombos;

enum class Cell : unsigned char { Keep, On, Off };

// What each control-state column does to a control. The key area (key edits, key formats, the
// WPA fields and Using KEY ID) follows ShowWepKeyFields instead.
struct StateRow {
    int controlId;
    Cell closed, portOpen, settingsLoaded;
};

constexpr StateRow kStateTable[] = {
    {IDC_WIFI_PORT, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_BAUDRATE, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_DATABITS, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_PARITY, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_STOPBITS, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_FLOW, Cell::Keep, Cell::Keep, Cell::Keep},
    {IDC_WIFI_OPEN_PORT, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_CLOSE_PORT, Cell::Off, Cell::On, Cell::On},
    {IDC_WIFI_GET, Cell::Off, Cell::On, Cell::Off},
    {IDC_WIFI_SAVE, Cell::Off, Cell::Off, Cell::On},
    {IDOK, Cell::On, Cell::Off, Cell::Off},
    {IDC_WIFI_SSID, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_IP, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_NETMASK, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_GATEWAY, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_DNS, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_MODE, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_CHANNEL, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_ENCRYPTION, Cell::Off, Cell::Off, Cell::On},
    {IDC_WIFI_AUTH, Cell::Off, Cell::Off, Cell::On},
    {IDC_WPA_ENCRYPTION, Cell::Off, Cell::Off, Cell::Off},
    {IDC_WIFI_MAC, Cell::Off, Cell::Off, Cell::Off},
};

constexpr int kUsbPortIndex = 9;

Cell CellOf(const StateRow& row, CWifiSetDlg::State state) {
    switch (state) {
        case CWifiSetDlg::State::Closed:
            return row.closed;
        case CWifiSetDlg::State::PortOpen:
            return row.portOpen;
        case CWifiSetDlg::State::SettingsLoaded:
            return row.settingsLoaded;
    }
    return Cell::Keep;
}

}  // namespace

CWifiSetDlg::CWifiSetDlg(DialogServices& services)
    : DialogLogic(IDD_WIFI_DIALOG),
      m_services(services),
      m_protocol(services.wifiChannels, services.clock) {}

void CWifiSetDlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DdxText(dx, IDC_WIFI_SSID, m_strSsid);
    for (int k = 0; k < kWepKeyCount; ++k) {
        ui::DdxText(dx, kKeyEdits[k], m_strWepKey[k]);
        ui::DdvMaxChars(dx, kKeyEdits[k], m_strWepKey[k], kKeyLimit);
    }
    ui::DdxText(dx, IDC_WPA_KEY, m_strWpaKey);
}

bool CWifiSetDlg::OnInitDialog() {
    ui::DialogHost& host = Host();
    for (const wifitext::StartList& list : wifitext::kStartLists) {
        FillList(list.comboId, list.entries.items, list.entries.count, list.initialSelection);
    }
    m_nAnsiCodePage = host.AnsiCodePage();
    FillKeyIds(0);
    ApplyState(State::Closed);
    m_settings = WifiSettings{};
    controls::DressWifiDialog(host);
    if (m_nAnsiCodePage == ui::kKoreanCodePage) {
        host.SetTitle(wifitext::kTitle.korean);
        for (int i = 0; i < wifitext::kKoreanCaptionCount; ++i) {
            host.SetText(wifitext::kKoreanCaptions[i].controlId,
                         wifitext::kKoreanCaptions[i].korean);
        }
    }
    return true;
}

void CWifiSetDlg::OnCommand(int id, int code) {
    if (code == ui::kNotifyClicked) {
        switch (id) {
            case IDC_WIFI_OPEN_PORT:
                return OnOpenPort();
            case IDC_WIFI_CLOSE_PORT:
                return OnClosePort();
            case IDC_WIFI_GET:
                return OnGetWifiInformation();
            case IDC_WIFI_SAVE:
                return OnSaveWifiInformation();
            default:
                return;
        }
    }
    if (code != ui::kNotifySelChange) {
        return;
    }
    switch (id) {
        case IDC_WIFI_ENCRYPTION:
            return OnEncryptionChange();
        case IDC_KEY_ID:
            return OnKeyIdChange();
        case IDC_WPA_AUTH:
            return OnWpaAuthChange();
        case IDC_WIFI_PORT:
            return OnPortChange();
        case IDC_WIFI_DATABITS:
            return OnDataBitsChange();
        case IDC_WIFI_PARITY:
            return OnParityChange();
        default:
            for (int k = 0; k < kWepKeyCount; ++k) {
                if (id == kKeyFormatCombos[k]) {
                    return OnKeyFormatChange(k);
                }
            }
    }
}

void CWifiSetDlg::ApplyState(State state) {
    ui::DialogHost& host = Host();
    for (const StateRow& row : kStateTable) {
        const Cell cell = CellOf(row, state);
        if (cell != Cell::Keep) {
            host.EnableControl(row.controlId, cell == Cell::On);
        }
    }
    if (state == State::SettingsLoaded) {
        const int encryption = host.GetListSelection(IDC_WIFI_ENCRYPTION);
        host.EnableControl(IDC_KEY_ID, encryption > 0);
        ShowWepKeyFields(encryption, host.GetListSelection(IDC_KEY_ID));
    } else {
        ShowWepKeyFields(0, host.GetListSelection(IDC_KEY_ID));
    }
}

void CWifiSetDlg::ShowWepKeyFields(int encryption, int keyId) {
    ui::DialogHost& host = Host();
    for (int k = 0; k < kWepKeyCount; ++k) {
        host.EnableControl(kKeyEdits[k], false);
        host.EnableControl(kKeyFormatCombos[k], false);
    }
    host.EnableControl(IDC_WPA_AUTH, false);
    host.EnableControl(IDC_WPA_ENCRYPTION, false);
    host.EnableControl(IDC_WPA_KEY, false);
    switch (encryption) {
        case 0:
            host.EnableControl(IDC_KEY_ID, false);
            return;
        case kWepSize40:
        case kWepSize104:
            host.EnableControl(IDC_KEY_ID, true);
            if (keyId >= 0 && keyId < kWepKeyCount) {
                host.EnableControl(kKeyEdits[keyId], true);
                host.EnableControl(kKeyFormatCombos[keyId], true);
            }
            for (int k = 0; k < kWepKeyCount; ++k) {
                host.SetAnsiText(kKeyEdits[k], "");
            }
            for (int k = 0; k < kWepKeyCount; ++k) {
                host.SetAnsiText(kKeyEdits[k], m_settings.StoredKeyText(
                                                   encryption, k, m_settings.m_nKeyFormat[k]));
            }
            return;
        case 3:
            host.EnableControl(IDC_KEY_ID, false);
            host.EnableControl(IDC_WPA_AUTH, true);
            host.EnableControl(IDC_WPA_KEY, true);
            return;
        default:
            return;
    }
}

void CWifiSetDlg::OnEncryptionChange() {
    ui::DialogHost& host = Host();
    const int encryption = host.GetListSelection(IDC_WIFI_ENCRYPTION);
    if (encryption <= 0) {
        host.SelectListItem(IDC_WIFI_AUTH, 1);  // Open System
        host.EnableControl(IDC_KEY_ID, false);
    } else {
        host.EnableControl(IDC_KEY_ID, true);
    }
    ShowWepKeyFields(encryption, host.GetListSelection(IDC_KEY_ID));
}

void CWifiSetDlg::OnKeyIdChange() {
    ShowWepKeyFields(Host().GetListSelection(IDC_WIFI_ENCRYPTION),
                     Host().GetListSelection(IDC_KEY_ID));
}

void CWifiSetDlg::OnKeyFormatChange(int key) {
    m_settings.m_nKeyFormat[key] = Host().GetListSelection(kKeyFormatCombos[key]);
    OnKeyIdChange();
}

void CWifiSetDlg::OnWpaAuthChange() {
    Host().SelectListItem(IDC_WPA_ENCRYPTION, Host().GetListSelection(IDC_WPA_AUTH));
}

void CWifiSetDlg::OnPortChange() {
    ui::DialogHost& host = Host();
    const bool usb = host.GetListSelection(IDC_WIFI_PORT) == kUsbPortIndex;
    controls::DressWifiPortButtons(host, usb);
    for (int id : {IDC_WIFI_BAUDRATE, IDC_WIFI_DATABITS, IDC_WIFI_PARITY, IDC_WIFI_STOPBITS,
                   IDC_WIFI_FLOW}) {
        host.EnableControl(id, !usb);
    }
}

void CWifiSetDlg::OnDataBitsChange() {
    ui::DialogHost& host = Host();
    if (host.GetListSelection(IDC_WIFI_DATABITS) == 0 &&
        host.GetListSelection(IDC_WIFI_PARITY) == 0) {
        ShowMessage(wifitext::kDataBitsParity, wifitext::kErrorCaption);
        host.SelectListItem(IDC_WIFI_DATABITS, 1);
    }
}

void CWifiSetDlg::OnParityChange() {
    ui::DialogHost& host = Host();
    if (host.GetListSelection(IDC_WIFI_DATABITS) == 0 &&
        host.GetListSelection(IDC_WIFI_PARITY) == 0) {
        ShowMessage(wifitext::kDataBitsParity, wifitext::kErrorCaption);
        host.SelectListItem(IDC_WIFI_PARITY, 1);
    }
}

void CWifiSetDlg::FillList(int id, const char* const* items, int count, int selection) {
    ui::DialogHost& host = Host();
    host.ResetList(id);
    for (int i = 0; i < count; ++i) {
        host.AddListItem(id, items[i]);
    }
    // An index the list does not have leaves it without a selection.
    host.SelectListItem(id, selection < count ? selection : -1);
}

void CWifiSetDlg::ShowMessage(const char* text, const char* caption) {
    Host().ShowMessage(text, caption, ui::kMbOk);
}

void CWifiSetDlg::FillKeyIds(int selection) {
    ui::DialogHost& host = Host();
    host.ResetList(IDC_KEY_ID);
    for (const ui::LocalizedText& id : wifitext::kKeyIds) {
        host.AddListItem(IDC_KEY_ID, id.For(m_nAnsiCodePage));
    }
    host.SelectListItem(IDC_KEY_ID, selection);
}

void CWifiSetDlg::RunClosingSteps() {
    ui::DialogHost& host = Host();
    for (const StateRow& row : kStateTable) {
        if (row.settingsLoaded == Cell::On) {
            host.EnableControl(row.controlId, false);
        }
    }
    host.EnableControl(IDC_KEY_ID, false);
    ShowWepKeyFields(0, host.GetListSelection(IDC_KEY_ID));
    LeaveIspModeAndClose();
    host.EnableControl(IDC_WIFI_OPEN_PORT, true);
    host.EnableControl(IDC_WIFI_GET, false);
    host.EnableControl(IDC_WIFI_SAVE, false);
    host.EnableControl(IDC_WIFI_CLOSE_PORT, false);
    host.EnableControl(IDOK, true);
}

}  // namespace tarvek
