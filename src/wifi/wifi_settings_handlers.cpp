// Get Wi-Fi Information and Save Wi-Fi Information: the read and write sequences, their results
// shown in the controls and in one message box.
#include <cstring>
#include <string>

#include "res/resource.h"
#include "texts/wifi_texts.h"
#include "wifi/wifi_dialog_controls.h"
#include "wifi/wifi_dialog_lists.h"
#include "wifi/wifi_set_dlg.h"

namespace tarvek {
namespace {

using wifidlg::kAddressControls;
using wifidlg::kKeyEdits;
using wifidlg::kKeyFormatCombos;

constexpr int kWpaEncryptionIndex = 3;

// A zero-padded text field as shown: up to its first zero byte or its end.
std::string FieldText(const char* field, std::size_t size) {
    const void* end = std::memchr(field, 0, size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

}  // namespace

void CWifiSetDlg::StartProgress() {
    ui::DialogHost& host = Host();
    host.SetProgressRange(IDC_WIFI_PROGRESS, 0, 100);
    host.SetProgressStep(IDC_WIFI_PROGRESS, 2);
    host.SetProgressPos(IDC_WIFI_PROGRESS, 0);
}

void CWifiSetDlg::ShowReadStep(int index, int progress) {
    ui::DialogHost& host = Host();
    const WifiSettings& s = m_settings;
    if (index >= 0 && index < 4) {
        host.SetIpAddress(kAddressControls[index], s.PackedAddress());
    } else if (index == 4) {
        host.SetAnsiText(IDC_WIFI_SSID, FieldText(s.m_szSsid, sizeof(s.m_szSsid)));
    } else if (index == 5) {
        FillList(IDC_WIFI_MODE, wifitext::kWifiModes.items, wifitext::kWifiModes.count,
                 s.m_nWifiMode);
        host.ResetList(IDC_WIFI_CHANNEL);
        for (int channel = 1; channel <= wifitext::kChannelCount; ++channel) {
            host.AddListItem(IDC_WIFI_CHANNEL, std::to_string(channel));
        }
        host.SelectListItem(IDC_WIFI_CHANNEL, s.m_nChannel - 1);
        FillList(IDC_WIFI_AUTH, wifitext::kAuthentications.items, wifitext::kAuthentications.count,
                 s.m_nAuthMode);
        FillKeyIds(s.m_nKeyId);
        host.EnableControl(IDC_KEY_ID, s.m_nWepType > 0);
        for (int k = 0; k < kWepKeyCount; ++k) {
            FillList(kKeyFormatCombos[k], wifitext::kKeyFormats.items, wifitext::kKeyFormats.count,
                     s.m_nKeyFormat[k]);
        }
    } else if (index == 7) {
        FillList(IDC_WPA_AUTH, wifitext::kWpaAuthentications.items,
                 wifitext::kWpaAuthentications.count, WpaAuthEntry(s.m_nWpaMode));
        FillList(IDC_WPA_ENCRYPTION, wifitext::kWpaEncryptions.items,
                 wifitext::kWpaEncryptions.count, s.m_nWpaCipher);
    } else if (index == 8) {
        host.SetAnsiText(IDC_WPA_KEY, FieldText(s.m_szWpaPassphrase, sizeof(s.m_szWpaPassphrase)));
    } else if (index == 9) {
        const wifitext::ListEntries& list = s.m_nModuleKind == kModuleWpaCapable
                                                ? wifitext::kEncryptionsWpa
                                                : wifitext::kEncryptionsWep;
        FillList(IDC_WIFI_ENCRYPTION, list.items, list.count,
                 s.m_nWpaMode != 0 ? kWpaEncryptionIndex : s.m_nWepType);
    } else if (index == 10) {
        host.SetAnsiText(IDC_WIFI_MAC, FieldText(s.m_szMacAddress, sizeof(s.m_szMacAddress)));
    }
    if (progress >= 0) {
        host.SetProgressPos(IDC_WIFI_PROGRESS, progress);
    }
}

void CWifiSetDlg::OnGetWifiInformation() {
    StartProgress();
    const SequenceResult result = m_session.Read(
        m_settings, [this](int, int index, int progress) { ShowReadStep(index, progress); });
    if (result.Succeeded()) {
        ApplyState(SettingsLoaded);
        Host().SetProgressPos(IDC_WIFI_PROGRESS, 100);
    }
    ShowMessage(texts::ReadOutcome(result));
}

WifiFormValues CWifiSetDlg::FormValues() const {
    const ui::DialogHost& host = Host();
    WifiFormValues form;
    for (int i = 0; i < 4; ++i) {
        form.address[i] = host.GetIpAddress(kAddressControls[i]);
    }
    form.ssid = host.GetAnsiText(IDC_WIFI_SSID);
    form.wpaKey = host.GetAnsiText(IDC_WPA_KEY);
    form.wifiMode = host.GetListSelection(IDC_WIFI_MODE);
    form.channel = host.GetListSelection(IDC_WIFI_CHANNEL);
    form.encryption = host.GetListSelection(IDC_WIFI_ENCRYPTION);
    form.keyId = host.GetListSelection(IDC_KEY_ID);
    form.auth = host.GetListSelection(IDC_WIFI_AUTH);
    form.wpaAuth = host.GetListSelection(IDC_WPA_AUTH);
    form.wpaCipher = host.GetListSelection(IDC_WPA_ENCRYPTION);
    for (int k = 0; k < kWepKeyCount; ++k) {
        form.keyText[k] = host.GetAnsiText(kKeyEdits[k]);
    }
    return form;
}

void CWifiSetDlg::OnSaveWifiInformation() {
    const WifiFormValues form = FormValues();
    // A refused entry leaves the dialog as it was, the progress bar included.
    const SaveRefusal refusal = ValidateSave(form, m_settings);
    if (refusal != SaveRefusal::None) {
        ShowMessage(texts::SaveRefusalMessage(refusal));
        return;
    }
    StartProgress();
    const SequenceResult result = m_session.Write(m_settings, form, [this](int, int, int progress) {
        if (progress >= 0) {
            Host().SetProgressPos(IDC_WIFI_PROGRESS, progress);
        }
    });
    if (result.Succeeded()) {
        ApplyState(PortOpen);
        Host().SetProgressPos(IDC_WIFI_PROGRESS, 100);
    }
    ShowMessage(texts::WriteOutcome(result));
}

}  // namespace tarvek
