// Get Wi-Fi Information and Save Wi-Fi Information: the read and write sequences, their results
// shown in the controls and in one message box.
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

}  // namespace

void CWifiSetDlg::StartProgress() {
    ui::DialogHost& host = Host();
    host.SetProgressRange(IDC_WIFI_PROGRESS, 0, 100);
    host.SetProgressStep(IDC_WIFI_PROGRESS, 2);
    host.SetProgressPos(IDC_WIFI_PROGRESS, 0);
}

void CWifiSetDlg::ShowReadStep(int index) {
    ui::DialogHost& host = Host();
    const ModuleSettings& s = m_settings.module;
    if (index >= kIpRegister && index <= kDnsRegister) {
        host.SetIpAddress(kAddressControls[index], s.addresses[static_cast<std::size_t>(index)]);
    } else if (index == kSsidRegister) {
        host.SetAnsiText(IDC_WIFI_SSID, s.ssid);
    } else if (index == kOptionsRegister) {
        FillList(IDC_WIFI_MODE, wifitext::kWifiModes.items, wifitext::kWifiModes.count,
                 static_cast<int>(s.mode));
        host.ResetList(IDC_WIFI_CHANNEL);
        for (int channel = kFirstChannel; channel <= kLastChannel; ++channel) {
            host.AddListItem(IDC_WIFI_CHANNEL, std::to_string(channel));
        }
        host.SelectListItem(IDC_WIFI_CHANNEL, s.channel - kFirstChannel);
        FillList(IDC_WIFI_AUTH, wifitext::kAuthentications.items, wifitext::kAuthentications.count,
                 static_cast<int>(s.auth));
        FillKeyIds(s.keyIndex);
        host.EnableControl(IDC_KEY_ID, m_settings.WepType() > 0);
        for (int k = 0; k < kWepKeyCount; ++k) {
            FillList(kKeyFormatCombos[k], wifitext::kKeyFormats.items, wifitext::kKeyFormats.count,
                     m_settings.m_nKeyFormat[k]);
        }
    } else if (index == kWep104Register) {
        FillList(IDC_WPA_AUTH, wifitext::kWpaAuthentications.items,
                 wifitext::kWpaAuthentications.count, static_cast<int>(s.wpaAuth));
        FillList(IDC_WPA_ENCRYPTION, wifitext::kWpaEncryptions.items,
                 wifitext::kWpaEncryptions.count, static_cast<int>(s.wpaCipher));
    } else if (index == kPassphraseRegister) {
        host.SetAnsiText(IDC_WPA_KEY, s.passphrase);
    } else if (index == kPskRegister) {
        const wifitext::ListEntries& list = s.kind == WifiModuleKind::WpaCapable
                                                ? wifitext::kEncryptionsWpa
                                                : wifitext::kEncryptionsWep;
        FillList(IDC_WIFI_ENCRYPTION, list.items, list.count, static_cast<int>(s.encryption));
    } else if (index == kMacQueryIndex) {
        host.SetAnsiText(IDC_WIFI_MAC, s.mac);
    }
    if (wifidlg::ProgressAfter(index) >= 0) {
        host.SetProgressPos(IDC_WIFI_PROGRESS, wifidlg::ProgressAfter(index));
    }
}

void CWifiSetDlg::OnGetWifiInformation() {
    StartProgress();
    const SequenceResult result = m_session.Read(
        m_settings.module, [this](const StepDone& step) { ShowReadStep(step.index); });
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
    const ModuleSettings toSave = SettingsToSave(m_settings, form);
    const SequenceResult result = m_session.Save(toSave, [this](const StepDone& step) {
        if (wifidlg::ProgressAfter(step.index) >= 0) {
            Host().SetProgressPos(IDC_WIFI_PROGRESS, wifidlg::ProgressAfter(step.index));
        }
    });
    if (result.Succeeded()) {
        ApplyState(PortOpen);
        Host().SetProgressPos(IDC_WIFI_PROGRESS, 100);
    }
    ShowMessage(texts::WriteOutcome(result));
}

}  // namespace tarvek
