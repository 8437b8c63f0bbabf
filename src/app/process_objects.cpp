#include "app/process_objects.h"

#include "app/about_dlg.h"
#include "link/links.h"

namespace tarvek::app {

ProcessObjects::ProcessObjects()
    : m_clock(SystemClock()),
      m_pMainSerial(MakeSerialLink(m_clock)),
      m_pMainUsb(MakeUsbLink(m_clock)),
      m_pWifiSerial(MakeSerialLink(m_clock)),
      m_pWifiUsb(MakeUsbLink(m_clock)),
      m_pConflictCheck(MakePortConflictCheck()) {}

ProcessObjects::~ProcessObjects() = default;

MainDialogServices ProcessObjects::Services() {
    return MainDialogServices{
        PortServices{ChannelSet{*m_pMainSerial, *m_pMainUsb, m_mainKind}, m_clock,
                     *m_pConflictCheck},
        PortServices{ChannelSet{*m_pWifiSerial, *m_pWifiUsb, m_wifiKind}, m_clock,
                     *m_pConflictCheck},
        [] { return std::unique_ptr<ui::DialogLogic>(std::make_unique<CAboutTarvekDlg>()); }};
}

}  // namespace tarvek::app
