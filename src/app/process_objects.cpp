#include "app/process_objects.h"

#include "app/standin_links.h"

namespace tarvek::app {

ProcessObjects::ProcessObjects()
    : m_clock(SystemClock()),
      m_pMainSerial(MakeStandInSerialLink(m_clock)),
      m_pMainUsb(MakeStandInUsbLink(m_clock)),
      m_pWifiSerial(MakeStandInSerialLink(m_clock)),
      m_pWifiUsb(MakeStandInUsbLink(m_clock)),
      m_pConflictCheck(MakeStandInPortConflictCheck()) {}

ProcessObjects::~ProcessObjects() = default;

DialogServices ProcessObjects::Services() {
    return DialogServices{ChannelSet{*m_pMainSerial, *m_pMainUsb, m_mainKind},
                          ChannelSet{*m_pWifiSerial, *m_pWifiUsb, m_wifiKind}, m_clock,
                          *m_pConflictCheck};
}

}  // namespace tarvek::app
