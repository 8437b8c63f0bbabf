// One verb's hold on the printer's port: the printer session and the module session over the
// same pair of links, never both open; the port conflict check first, as the dialogs run it;
// every engine result turned into an outcome; Ctrl-C looked at before each step. Whatever is
// open when the connection ends is closed, the module taken out of ISP mode first.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "cli/settings/module_values.h"
#include "cli/result/outcome.h"
#include "cli/session/trace.h"
#include "link/channel_open.h"
#include "link/conflict/port_conflict_check.h"
#include "printer/printer_session.h"
#include "wifimodule/module_session.h"

namespace tarvek::cli {

// A long step's progress: done of total.
using ProgressSink = std::function<void(Step step, int done, int total)>;

// What the verbs work with (the program's links, or simulated ones in tests).
struct Services {
    ChannelSet channels;
    Clock& clock;
    PortConflictCheck& conflictCheck;
    const std::atomic<bool>& interrupted;
    TraceRecorder* trace = nullptr;
    ProgressSink progress;
    // The installed printers could not be listed: the port is used as if free, with a warning.
    std::function<void()> printerListUnreadable;
    // A new link to a printer on the network (unset: none can be reached).
    std::function<std::unique_ptr<SerialPrinterLink>()> networkLink;
};

class Connection {
  public:
    Connection(Services& services, const PortRequest& request);
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Refuses a port an installed printer holds (an unreadable printer list lets it through).
    bool CheckPort(PortConflictVariant variant, Outcome& outcome);
    // The printer session, opened (and the emulation asked) when it is not.
    bool OpenPrinter(Step step, Outcome& outcome);
    PrinterSession& Printer() { return m_printer; }
    int Emulation() const { return m_emulation; }
    // The engine's result of a printer operation; false (and the outcome) for a failure.
    bool Took(const PrinterResult& result, Step step, Outcome& outcome);

    // The module read whole (the printer session closed first, ISP mode entered if needed).
    bool ReadModule(ModuleSettings& read, Outcome& outcome);
    // The save of settings (a read value with what was asked in).
    bool WriteModule(const ModuleSettings& settings, Outcome& outcome);

    // The line the printer is reached on from now (after its serial settings changed).
    void UseLine(const SerialLineSettings& line) { m_request.line = line; }
    const PortRequest& Request() const { return m_request; }
    // True, with the outcome, once Ctrl-C was pressed.
    bool Stopped(Step step, Outcome& outcome);
    void Close();

  private:
    bool OpenModule(Outcome& outcome);
    // Fills the outcome of a failed step (Interrupted once Ctrl-C was pressed); false.
    bool Fail(Failure failure, Step step, Outcome& outcome);
    PortRef Port() const;
    void SetStep(Step step, const char* detail = nullptr);
    void PauseBeforeReopen();
    // Reports each completed step and names the next register in the trace (afterTable: what
    // follows the last).
    StepObserver Progress(Step step, int total, const char* afterTable);

    Services& m_services;
    PortRequest m_request;
    PrinterSession m_printer;
    ModuleSession m_module;
    int m_emulation = kEmulationUnknown;
    std::uint32_t m_reopenPauseMs = 0;  // what the last command on the link asks before a reopen
};

}  // namespace tarvek::cli
