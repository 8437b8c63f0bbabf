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

// What the session does when a reply never comes: the dialog keeps the module in ISP mode with
// the port open (the user closes it); an unattended front end leaves ISP mode at once, since
// the command may have reached the module with only its reply lost.
enum class LostReply : int { StayInIspMode, LeaveIspMode };

class ModuleSession {
  public:
    ModuleSession(ChannelSet channels, Clock& clock, LostReply lostReply = LostReply::StayInIspMode)
        : m_protocol(channels, clock),
          m_channels(channels),
          m_clock(clock),
          m_lostReply(lostReply) {}
    ~ModuleSession() { Close(); }
    ModuleSession(const ModuleSession&) = delete;
    ModuleSession& operator=(const ModuleSession&) = delete;

    // OpenModuleChannel, a 500 ms pause, then ISP mode (the reply's contents are not looked at).
    // Without a reply the link is closed; leaving ISP mode on a lost reply, the port is first
    // opened once more to switch the module back.
    ModuleOpen Open(const PortRequest& request);
    // ISP mode left and CloseModuleChannel, when the session is open; nothing otherwise.
    void Close();
    bool IsOpen() const { return m_bOpen; }

    // The module's settings into settings, step by step (see ReadWifiSettings).
    SequenceResult Read(ModuleSettings& settings, const StepObserver& onStep);
    // Writes settings (see WriteWifiSettings).
    SequenceResult Save(const ModuleSettings& settings, const StepObserver& onStep);
    // What a read after a successful save of saved must show: the settings with what their
    // encryption fixes, the texts as the module's registers keep them, the images written.
    static ModuleSettings ExpectedAfterSave(const ModuleSettings& saved);

  private:
    // A lost reply under LeaveIspMode: ISP mode left and the link closed, said in the result.
    SequenceResult AfterLostReply(SequenceResult result);

    WifiModuleProtocol m_protocol;
    ChannelSet m_channels;
    Clock& m_clock;
    LostReply m_lostReply;
    bool m_bOpen = false;
};

}  // namespace tarvek
