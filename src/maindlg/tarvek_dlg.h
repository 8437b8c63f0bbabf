// The program's main window (template 102): the printer port, the serial line, emulation,
// Bluetooth, power save and code page of the printer, and the way into the Wi-Fi dialog.
//
// A humble dialog: each handler reads its controls, runs one operation of the printer session
// and maps the result to the dialog's messages and control states. It talks to its window only
// through the DialogHost and to the printer only through the session, so the recording host and
// fake or simulated links stand in for both in tests.
#pragma once

#include <string>

#include "link/conflict/port_conflict_check.h"
#include "maindlg/main_dialog_services.h"
#include "printer/printer_session.h"
#include "texts/localized_text.h"
#include "ui/dialog_logic.h"

namespace tarvek {

class CTarvekDlgAutoProxy;

class CTarvekDlg : public ui::DialogLogic {
  public:
    explicit CTarvekDlg(MainDialogServices& services);

    // Strings exchanged with their edits.
    std::string m_strEmulation;         // 1008
    std::string m_strBtAddress;         // 1013
    std::string m_strPinCode;           // 1014, at most 10 characters
    std::string m_strPowerSaveMinutes;  // 1141, at most 2 characters
    // The attached automation client, null when none.
    CTarvekDlgAutoProxy* m_pAutoProxy = nullptr;
    int m_hIcon;  // the application icon's resource
    // 1 = CPCL, 0 = ESC/POS; meaningful after the first emulation query or switch.
    int m_nEmulation = kEmulationUnknown;
    // 1 = ON, 0 = OFF as the radios show it; -1 until the printer told us or the user chose,
    // so that no made-up mode is ever sent.
    int m_nDiscoverable = -1;
    int m_nAnsiCodePage = 0;
    // Filled by the port conflict check.
    PortHolder m_conflict;

    // With a client attached the dialog hides instead of closing.
    bool CanExit();

    // DialogLogic.
    void DoDataExchange(ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    bool OnSysCommand(unsigned commandId) override;

    // Handlers, one per control notification.
    void OnPortChange();
    void OnDataBitsChange();
    void OnParityChange();
    void OnOpenPort();
    void OnClosePort();
    void OnSaveSerialConfig();
    void OnGetEmulation();
    void OnSetCpcl();
    void OnSetEscPos();
    void OnGetBluetooth();
    void OnSavePin();
    void OnSaveDiscoverable();
    void OnDiscoverableOn();
    void OnDiscoverableOff();
    void OnPinChange();
    void OnPowerSaveChange();
    void OnSavePowerSave();
    void OnSaveCodePage();
    void OnPrintCodePage();
    void OnStartWifiSettings();

  private:
    // Set CPCL / Set ESC/POS: the command, the link closed, the closed state, the field.
    void SwitchEmulation(int emulation);
    // Enables and disables the controls as a column of the state table says.
    void ApplyState(int column);
    // Keeps the emulation an operation's query learned; false (after its message) when the
    // operation failed.
    bool Learn(const PrinterResult& result);
    // One OK message box in the dialog's language.
    void ShowError(const texts::LocalizedMessage& message);
    // A combo's selected item index, or -1 after showing the "choose from the list" message
    // when the user typed a text that matches no item.
    int RequireSelection(int comboId);
    // Writes the four strings to their edits (UpdateData(false)). The edit notifications this
    // causes on a real window are the program's own doing and are not taken as typing.
    void ShowStrings();
    // Fills the power-save and code-page lists at Open Port.
    void FillPowerSaveList();
    void FillCodePageList();

    MainDialogServices& m_services;
    PrinterSession m_session;
    bool m_bShowingStrings = false;
};

}  // namespace tarvek
