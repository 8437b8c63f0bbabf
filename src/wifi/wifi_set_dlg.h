// The Wi-Fi dialog: the window in which the user opens a port to the printer's Wi-Fi module
// (which puts it into ISP mode), reads its settings, edits and saves them, and closes the port.
// A humble dialog: the module exchanges are the module session's; the handlers here read the
// controls and map the session's results to controls and messages.
#pragma once

#include <string>

#include "link/port_services.h"
#include "texts/localized_text.h"
#include "ui/dialog_logic.h"
#include "wifimodule/module_session.h"
#include "wifimodule/wifi_settings.h"

namespace tarvek {

class CWifiSetDlg : public ui::DialogLogic {
  public:
    // The named control states (the columns of the state table).
    enum State : int { Closed = 0, PortOpen = 1, SettingsLoaded = 2 };

    static constexpr int kKeyLimit = 26;

    explicit CWifiSetDlg(PortServices& services);

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

    bool IsPortOpen() const { return m_session.IsOpen(); }
    const WifiSettings& Settings() const { return m_settings; }

  private:
    void ApplyState(State state);
    // The steps of closing the dialog: the key area off, the module out of ISP mode, the link
    // closed, then the Closed state.
    void RunClosingSteps();
    void FillList(int id, const char* const* items, int count, int selection);
    void FillKeyIds(int selection);
    void ShowMessage(const texts::LocalizedMessage& message);
    void StartProgress();
    // Shows what a completed read step brought (by the register's table index).
    void ShowReadStep(int index);
    WifiFormValues FormValues() const;

    PortServices& m_services;
    ModuleSession m_session;
    WifiSettings m_settings;
    std::string m_strSsid;
    std::string m_strWepKey[kWepKeyCount];
    std::string m_strWpaKey;
    int m_nAnsiCodePage = 0;
};

}  // namespace tarvek
