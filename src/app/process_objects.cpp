#include "app/process_objects.h"

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

DialogServices ProcessObjects::Services() {
    return DialogServices{ChannelSet{*m_pMainSerial, *m_pMainUsb, m_mainKind},
                          ChannelSet{*m_pWifiSerial, *m_pWifiUsb, m_wifiKind}, m_clock,
                          *m_pConflictCheck};
}

}  // namespace tarvek::app
