#include "cli/session/connection.h"

#include <algorithm>
#include <string>

#include "link/network/tcp_link.h"

namespace tarvek::cli {
namespace {

// A command the printer does not answer may still be on its way when its link is closed:
// opening the port again purges it, so after such a command the port is opened again only after
// a pause (enough for a command's bytes to leave at 9600 baud); after a switch of the line or
// the emulation a longer one, so the first query does not meet a printer still switching.
constexpr std::uint32_t kAfterCommandMs = 200;
constexpr std::uint32_t kAfterSwitchMs = 500;

std::uint32_t PauseAfter(Step step) {
    switch (step) {
        case Step::Pin:
        case Step::Discoverable:
        case Step::PowerSave:
        case Step::CodePage:
            return kAfterCommandMs;
        case Step::Serial:
        case Step::Emulation:
            return kAfterSwitchMs;
        default:
            return 0;
    }
}

// A register's name for the trace's step names; past the table, what follows it.
std::string RegisterName(int index, const char* afterTable) {
    const ModuleRegister* reg = RegisterAt(index);
    return reg != nullptr ? std::string(reg->group) + " " + reg->number : afterTable;
}

}  // namespace

Connection::Connection(Services& services, const PortRequest& request)
    : m_services(services),
      m_request(request),
      m_printer(services.channels, services.clock),
      m_module(services.channels, services.clock, LostReply::LeaveIspMode) {}

void Connection::SetStep(Step step, const char* detail) {
    if (m_services.trace != nullptr) {
        m_services.trace->SetStep(detail != nullptr ? std::string(StepName(step)) + " " + detail
                                                    : StepName(step));
    }
}

bool Connection::Stopped(Step step, Outcome& outcome) {
    return m_services.interrupted.load() && !Fail(failure::Interrupted{}, step, outcome);
}

bool Connection::CheckPort(PortConflictVariant variant, Outcome& outcome) {
    if (m_request.link == LinkKind::Network) {
        // No installed printer holds a network address as it holds a port.
        if (variant != PortConflictVariant::WifiDialog) {
            return true;
        }
        outcome = Failed(failure::WifiOverNetwork{m_request.portName}, Step::Check);
        return false;
    }
    const PortCheckResult check = m_services.conflictCheck.Check(m_request.portName, variant);
    if (check.state == PortCheck::ListUnreadable && m_services.printerListUnreadable) {
        m_services.printerListUnreadable();
    }
    if (check.state != PortCheck::Held) {
        return true;
    }
    outcome = Failed(failure::PortHeld{m_request.portName, check.holder}, Step::Port);
    return false;
}

bool Connection::Fail(Failure failure, Step step, Outcome& outcome) {
    // After Ctrl-C the links let nothing out, so the step fails for that reason.
    outcome =
        Failed(m_services.interrupted.load() ? failure::Interrupted{} : std::move(failure), step);
    return false;
}

PortRef Connection::Port() const {
    return PortRef{m_request.link, m_request.portName};
}

bool Connection::Took(const PrinterResult& result, Step step, Outcome& outcome) {
    switch (result.failure) {
        case PrinterFailure::None:
            if (result.emulation != kEmulationUnknown) {
                m_emulation = result.emulation;
            }
            m_reopenPauseMs = std::max(m_reopenPauseMs, PauseAfter(step));
            return true;
        case PrinterFailure::OpenFailed:
        case PrinterFailure::NoAnswer:
        case PrinterFailure::NotAnEmulationCode:
            return Fail(failure::Printer{result.failure, Port()}, step, outcome);
        case PrinterFailure::BadValue:
            break;
    }
    // Every value was checked before the port was opened; the engine refusing one anyway is
    // reported as that key's bad value.
    InputError error;
    error.problem = Problem::BadValue;
    error.key = StepName(step);
    return Fail(failure::InputRefused{error}, step, outcome);
}

bool Connection::OpenPrinter(Step step, Outcome& outcome) {
    if (Stopped(step, outcome)) {
        return false;
    }
    if (m_printer.IsLinkOpen()) {
        SetStep(step);
        return true;
    }
    m_module.Close();
    SetStep(step);
    PauseBeforeReopen();
    const PrinterResult result = m_printer.Open(m_request);
    if (!Took(result, step, outcome)) {
        m_printer.Close();  // a failed query leaves the link open
        return false;
    }
    return true;
}

bool Connection::OpenModule(Outcome& outcome) {
    if (m_module.IsOpen()) {
        return true;
    }
    if (m_printer.IsLinkOpen()) {
        m_printer.Close();
    }
    SetStep(Step::WifiOpen);
    PauseBeforeReopen();
    const ModuleOpen opened = m_module.Open(m_request);
    return opened == ModuleOpen::Opened ||
           Fail(failure::ModuleOpen{opened, Port()}, Step::WifiOpen, outcome);
}

void Connection::PauseBeforeReopen() {
    if (m_reopenPauseMs > 0) {
        m_services.clock.Sleep(m_reopenPauseMs);
    }
    m_reopenPauseMs = 0;
}

StepObserver Connection::Progress(Step step, int total, const char* afterTable) {
    return [this, step, total, afterTable](const StepDone& done) {
        if (done.next != kNoNextStep) {
            SetStep(step, RegisterName(done.next, afterTable).c_str());
        }
        if (m_services.progress) {
            m_services.progress(step, done.done, total);
        }
    };
}

bool Connection::ReadModule(ModuleSettings& read, Outcome& outcome) {
    if (Stopped(Step::WifiRead, outcome) || !OpenModule(outcome)) {
        return false;
    }
    SetStep(Step::WifiRead, RegisterName(0, "").c_str());
    const SequenceResult result = m_module.Read(
        read, Progress(Step::WifiRead, ReadStepCount(WifiModuleKind::Unknown), "MAC"));
    if (result.Succeeded()) {
        return true;
    }
    return Fail(failure::ModuleStep{result, false}, Step::WifiRead, outcome);
}

bool Connection::WriteModule(const ModuleSettings& settings, Outcome& outcome) {
    if (Stopped(Step::WifiWrite, outcome) || !OpenModule(outcome)) {
        return false;
    }
    SetStep(Step::WifiWrite, "unlock");
    const SequenceResult result =
        m_module.Save(settings, Progress(Step::WifiWrite, SaveStepCount(settings.kind), "flash"));
    if (result.Succeeded()) {
        return true;
    }
    return Fail(failure::ModuleStep{result, true}, Step::WifiWrite, outcome);
}

void Connection::Close() {
    m_module.Close();
    if (m_printer.IsLinkOpen()) {
        m_printer.Close();
    }
}

}  // namespace tarvek::cli
