#include "wifi/wifi_set_dlg.h"

#include "controls/dressing.h"
#include "res/resource.h"
#include "ui/command_routes.h"
#include "ui/control_states.h"
#include "wifi/wifi_dialog_controls.h"
#include "wifi/wifi_dialog_lists.h"
#include "wifimodule/encryption_rules.h"

namespace tarvek {
namespace {

using wifidlg::kKeyEdits;
using wifidlg::kKeyFormatCombos;

using ui::Cell;
constexpr Cell K = Cell::Keep, E = Cell::On, D = Cell::Off;

// Columns: Closed, PortOpen, SettingsLoaded. The key area (key edits, key formats, the WPA
// fields and Using KEY ID) follows ShowWepKeyFields instead.
constexpr ui::StateRow kStateTable[] = {
    {IDC_WIFI_PORT, {E, D, D}},
    {IDC_WIFI_BAUDRATE, {E, D, D}},
    {IDC_WIFI_DATABITS, {E, D, D}},
    {IDC_WIFI_PARITY, {E, D, D}},
    {IDC_WIFI_STOPBITS, {E, D, D}},
    {IDC_WIFI_FLOW, {K, K, K}},
    {IDC_WIFI_OPEN_PORT, {E, D, D}},
    {IDC_WIFI_CLOSE_PORT, {D, E, E}},
    {IDC_WIFI_GET, {D, E, D}},
    {IDC_WIFI_SAVE, {D, D, E}},
    {IDOK, {E, D, D}},
    {IDC_WIFI_SSID, {D, D, E}},
    {IDC_WIFI_IP, {D, D, E}},
    {IDC_WIFI_NETMASK, {D, D, E}},
    {IDC_WIFI_GATEWAY, {D, D, E}},
    {IDC_WIFI_DNS, {D, D, E}},
    {IDC_WIFI_MODE, {D, D, E}},
    {IDC_WIFI_CHANNEL, {D, D, E}},
    {IDC_WIFI_ENCRYPTION, {D, D, E}},
    {IDC_WIFI_AUTH, {D, D, E}},
    {IDC_WPA_ENCRYPTION, {D, D, D}},
    {IDC_WIFI_MAC, {D, D, D}},
};

constexpr ui::CommandRoute<CWifiSetDlg> kRoutes[] = {
    {IDC_WIFI_OPEN_PORT, ui::kNotifyClicked, &CWifiSetDlg::OnOpenPort},
    {IDC_WIFI_CLOSE_PORT, ui::kNotifyClicked, &CWifiSetDlg::OnClosePort},
    {IDC_WIFI_GET, ui::kNotifyClicked, &CWifiSetDlg::OnGetWifiInformation},
    {IDC_WIFI_SAVE, ui::kNotifyClicked, &CWifiSetDlg::OnSaveWifiInformation},
    {IDC_WIFI_ENCRYPTION, ui::kNotifySelChange, &CWifiSetDlg::OnEncryptionChange},
    {IDC_KEY_ID, ui::kNotifySelChange, &CWifiSetDlg::OnKeyIdChange},
    {IDC_WPA_AUTH, ui::kNotifySelChange, &CWifiSetDlg::OnWpaAuthChange},
    {IDC_WIFI_PORT, ui::kNotifySelChange, &CWifiSetDlg::OnPortChange},
    {IDC_WIFI_DATABITS, ui::kNotifySelChange, &CWifiSetDlg::OnDataBitsChange},
    {IDC_WIFI_PARITY, ui::kNotifySelChange, &CWifiSetDlg::OnParityChange},
};

}  // namespace

CWifiSetDlg::CWifiSetDlg(PortServices& services)
    : DialogLogic(IDD_WIFI_DIALOG),
      m_services(services),
      m_session(services.channels, services.clock) {}

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
    wifidlg::kWifiLineForm.FillLists(host);
    m_nAnsiCodePage = host.AnsiCodePage();
    FillKeyIds(0);
    ApplyState(State::Closed);
    m_settings = WifiSettings{};
    controls::DressWifiDialog(host);
    if (m_nAnsiCodePage == texts::kKoreanCodePage) {
        ui::SetKoreanCaptions(host, wifitext::kTitle.korean, wifitext::kKoreanCaptions,
                              wifitext::kKoreanCaptionCount);
    }
    return true;
}

void CWifiSetDlg::OnCommand(int id, int code) {
    if (ui::RouteCommand(*this, kRoutes, id, code) || code != ui::kNotifySelChange) {
        return;
    }
    for (int k = 0; k < kWepKeyCount; ++k) {
        if (id == kKeyFormatCombos[k]) {
            OnKeyFormatChange(k);
        }
    }
}

void CWifiSetDlg::ApplyState(State state) {
    ui::DialogHost& host = Host();
    ui::ApplyStateColumn(host, kStateTable, state);
    if (state == SettingsLoaded) {
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
        case static_cast<int>(Encryption::None):
            host.EnableControl(IDC_KEY_ID, false);
            return;
        case static_cast<int>(Encryption::Wep40):
        case static_cast<int>(Encryption::Wep104):
            host.EnableControl(IDC_KEY_ID, true);
            if (keyId >= 0 && keyId < kWepKeyCount) {
                host.EnableControl(kKeyEdits[keyId], true);
                host.EnableControl(kKeyFormatCombos[keyId], true);
            }
            for (int k = 0; k < kWepKeyCount; ++k) {
                host.SetAnsiText(kKeyEdits[k], "");
            }
            for (int k = 0; k < kWepKeyCount; ++k) {
                host.SetAnsiText(kKeyEdits[k],
                                 m_settings.StoredKeyText(static_cast<Encryption>(encryption), k,
                                                          m_settings.m_nKeyFormat[k]));
            }
            return;
        case static_cast<int>(Encryption::Wpa):
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
    if (encryption <= static_cast<int>(Encryption::None)) {
        host.SelectListItem(IDC_WIFI_AUTH,
                            FixedValue(Encryption::None, FixedSetting::Authentication));
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
    const auto authentication =
        static_cast<WpaAuthentication>(Host().GetListSelection(IDC_WPA_AUTH));
    Host().SelectListItem(IDC_WPA_ENCRYPTION, static_cast<int>(CipherFor(authentication)));
}

void CWifiSetDlg::OnPortChange() {
    wifidlg::kWifiLineForm.OnPortChange(Host());
}

void CWifiSetDlg::OnDataBitsChange() {
    wifidlg::kWifiLineForm.OnDataBitsChange(Host());
}

void CWifiSetDlg::OnParityChange() {
    wifidlg::kWifiLineForm.OnParityChange(Host());
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

void CWifiSetDlg::ShowMessage(const texts::LocalizedMessage& message) {
    Host().ShowMessage(message.text.For(m_nAnsiCodePage), message.caption.For(m_nAnsiCodePage),
                       ui::kMbOk);
}

void CWifiSetDlg::FillKeyIds(int selection) {
    ui::DialogHost& host = Host();
    host.ResetList(IDC_KEY_ID);
    for (const texts::LocalizedText& id : wifitext::kKeyIds) {
        host.AddListItem(IDC_KEY_ID, id.For(m_nAnsiCodePage));
    }
    host.SelectListItem(IDC_KEY_ID, selection);
}

void CWifiSetDlg::RunClosingSteps() {
    ui::DialogHost& host = Host();
    for (const ui::StateRow& row : kStateTable) {
        if (row.cells[SettingsLoaded] == Cell::On) {
            host.EnableControl(row.controlId, false);
        }
    }
    host.EnableControl(IDC_KEY_ID, false);
    ShowWepKeyFields(0, host.GetListSelection(IDC_KEY_ID));
    m_session.Close();
    host.EnableControl(IDC_WIFI_OPEN_PORT, true);
    host.EnableControl(IDC_WIFI_GET, false);
    host.EnableControl(IDC_WIFI_SAVE, false);
    host.EnableControl(IDC_WIFI_CLOSE_PORT, false);
    host.EnableControl(IDOK, true);
}

}  // namespace tarvek
