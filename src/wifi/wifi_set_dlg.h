// The Wi-Fi dialog: the window in which the user opens a port to the printer's Wi-Fi module
// (which puts it into ISP mode), reads its settings, edits and saves them, and closes the port.
// The module exchanges themselves are the read and write sequences; the handlers here map their
// results to controls and messages.
#pragma once

#include <string>

#include "maindlg/dialog_services.h"
#include "ui/dialog_logic.h"
#include "wifimodule/module_protocol.h"
#include "wifimodule/wifi_sequences.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek {

class CWifiSetDlg : public ui::DialogLogic {
  public:
    // The named control states.
    enum class State { Closed, PortOpen, SettingsLoaded };

    static constexpr int kKeyLimit = 26;

    explicit CWifiSetDlg(DialogServices& services);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // Shows the key area for an encryption (0 none, 1 40-bit, 2 104-bit, 3 WPA, -1 nothing
    // selected) and a key id (0..3).
    void ShowWepKeyFields(int encryption, int keyId);

    // The handlers.
    void OnOpenPort();
    void OnClosePort();
    void OnGetWifiInformation();
    void OnSaveWifiInformation();
    void OnEncryptionChange();
    void OnKeyIdChange();
    void OnKeyFormatChange(int key);
    void OnWpaAuthChange();
    void OnPortChange();
    void OnDataBitsChange();
    void OnParityChange();

    bool IsPortOpen() const { return m_bPortOpen; }
    const WifiSettings& Settings() const { return m_settings; }

  private:
    void ApplyState(State state);
    // The steps of closing the dialog: the key area off, the module out of ISP mode, the link
    // closed, then the Closed state.
    void RunClosingSteps();
    void LeaveIspModeAndClose();
    void FillList(int id, const char* const* items, int count, int selection);
    void FillKeyIds(int selection);
    void ShowMessage(const char* text, const char* caption);
    void StartProgress();
    // Shows what a completed read step brought (by the register's table index).
    void ShowReadStep(int index, int progress);
    WifiFormValues FormValues() const;

    DialogServices& m_services;
    WifiModuleProtocol m_protocol;
    WifiSettings m_settings;
    std::string m_strSsid;
    std::string m_strWepKey[kWepKeyCount];
    std::string m_strWpaKey;
    int m_nAnsiCodePage = 0;
    bool m_bPortOpen = false;
};

}  // namespace tarvek
