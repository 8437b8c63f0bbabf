// The objects that live for the whole process: each dialog's serial and USB link with its
// transport kind, the clock and the printer-driver port check. Made before the application
// starts, destroyed when it has ended.
#pragma once

#include <memory>

#include "link/clock.h"
#include "link/conflict/port_conflict_check.h"
#include "link/printer_link.h"
#include "maindlg/main_dialog_services.h"

namespace tarvek::app {

class ProcessObjects {
  public:
    ProcessObjects();
    ~ProcessObjects();
    ProcessObjects(const ProcessObjects&) = delete;
    ProcessObjects& operator=(const ProcessObjects&) = delete;

    // What the main dialog is handed (it hands the Wi-Fi dialog its part).
    MainDialogServices Services();

  private:
    Clock& m_clock;
    std::unique_ptr<SerialPrinterLink> m_pMainSerial;
    std::unique_ptr<UsbPrinterLink> m_pMainUsb;
    TransportKind m_mainKind = TransportKind::Serial;
    std::unique_ptr<SerialPrinterLink> m_pWifiSerial;
    std::unique_ptr<UsbPrinterLink> m_pWifiUsb;
    TransportKind m_wifiKind = TransportKind::Serial;
    std::unique_ptr<PortConflictCheck> m_pConflictCheck;
};

}  // namespace tarvek::app
