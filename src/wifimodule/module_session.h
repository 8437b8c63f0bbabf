// A session with the printer's Wi-Fi module over one front end's pair of links: the port opened
// and the module switched into its ISP mode, any number of reads and saves, then ISP mode left
// and the port closed. ISP mode is left whenever the session ends with the port open, so the
// module never stays in programming mode behind a closed front end.
#pragma once

#include <string>

#include "link/channel_open.h"
#include "link/clock.h"
#include "wifimodule/module_protocol.h"
#include "wifimodule/wifi_sequences.h"

namespace tarvek {

enum class ModuleOpen : int {
    Opened = 0,
    OpenFailed,  // the link did not open
    NoIspReply,  // the module did not answer the switch to ISP mode (the link is closed again)
};

// The link a port name selects for the module: "USB..." the USB printer, "COM..." a serial
// port (both case-sensitive, by the first three characters), anything else no link.
TransportKind ModulePortKind(const std::string& portName);

class ModuleSession {
  public:
    ModuleSession(ChannelSet channels, Clock& clock)
        : m_protocol(channels, clock), m_clock(clock) {}
    ~ModuleSession() { Close(); }
    ModuleSession(const ModuleSession&) = delete;
    ModuleSession& operator=(const ModuleSession&) = delete;

    // OpenModuleChannel, a 500 ms pause, then ISP mode (the reply's contents are not looked at).
    ModuleOpen Open(const PortRequest& request);
    // ISP mode left and CloseModuleChannel, when the session is open; nothing otherwise.
    void Close();
    bool IsOpen() const { return m_bOpen; }

    SequenceResult Read(WifiSettings& settings, const StepObserver& onStep) {
        return ReadWifiSettings(m_protocol, settings, onStep);
    }
    SequenceResult Write(WifiSettings& settings, const WifiFormValues& form,
                         const StepObserver& onStep) {
        return WriteWifiSettings(m_protocol, settings, form, onStep);
    }
    WifiModuleProtocol& Protocol() { return m_protocol; }

  private:
    WifiModuleProtocol m_protocol;
    Clock& m_clock;
    bool m_bOpen = false;
};

}  // namespace tarvek
