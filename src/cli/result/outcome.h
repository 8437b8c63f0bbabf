// What a verb ends with: done, or one failure (the engine's own result, the input's refusal or
// what the tool found) with what the output needs to word it, and the step it happened in.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "cli/settings/key_value_input.h"
#include "cli/result/exit_codes.h"
#include "link/bluetooth/bluetooth.h"
#include "link/conflict/port_conflict_check.h"
#include "link/port_kind.h"
#include "link/printer_link.h"
#include "printer/printer_session.h"
#include "wifimodule/module_session.h"

namespace tarvek::cli {

enum class Step : int {
    None,
    Check,
    Port,
    Open,
    WifiOpen,
    WifiRead,
    WifiWrite,
    Pin,
    Discoverable,
    PowerSave,
    CodePage,
    Serial,
    Emulation,
    ReadBack,
    Wait,
    Detect,
    Print,
    Network,
};
const char* StepName(Step step);

struct Difference {
    KeyId key;
    std::string expected;  // as shown (secrets are masked by the output)
    std::string actual;
};

// The port a failure happened on.
struct PortRef {
    LinkKind link = LinkKind::Serial;
    std::string name;
};

// The failures a verb can end with: the engine's own results, the refusal of the input and what
// the tool itself found. Each says which exit code it means.
namespace failure {

struct InputRefused {
    InputError error;
    SaveRefusal moduleRefusal = SaveRefusal::None;  // the module's own check (ModuleRefusal)
    ExitCode Exit() const { return kExitBadInput; }
};
struct PortHeld {  // an installed printer or a queue holds the port
    std::string port;
    PortHolder holder;
    ExitCode Exit() const { return kExitPort; }
};
struct Printer {  // the printer session's result: OpenFailed, NoAnswer or NotAnEmulationCode
    PrinterFailure failure = PrinterFailure::NoAnswer;
    PortRef port;
    ExitCode Exit() const;
};
struct ModuleOpen {  // the module session's Open: OpenFailed or NoIspReply
    tarvek::ModuleOpen failure = tarvek::ModuleOpen::NoIspReply;
    PortRef port;
    ExitCode Exit() const;
};
struct ModuleStep {  // a read or save step of the module
    SequenceResult sequence;
    bool save = false;
    ExitCode Exit() const;
};
struct ValuesDiffer {  // read back after an apply, or compared with a profile
    std::vector<Difference> differences;
    bool readBack = false;
    ExitCode Exit() const { return kExitRefused; }
};
struct SilentAtNewLine {  // the printer is silent on the line it was told to use
    ExitCode Exit() const { return kExitRefused; }
};
struct NoUnitRow {  // a printer the unit rows have no row for
    std::string address;
    ExitCode Exit() const { return kExitRefused; }
};
struct WaitRanOut {  // no printer came, or the last one was not taken away, within the wait
    bool forPrinterToGo = false;
    int seconds = 0;
    ExitCode Exit() const { return forPrinterToGo ? kExitRefused : kExitNoAnswer; }
};
struct PortSearch {  // --port auto or detect: no port, or several, with a printer
    bool several = false;
    bool noPortProbed = false;  // detect: none could be probed, or none opened
    std::string ports;          // the ports probed, or those with a printer
    ExitCode Exit() const { return several || noPortProbed ? kExitPort : kExitNoAnswer; }
};
struct StationIncomplete {  // a station's printers failed or rows were left undone, or it did none
    int done = 0;
    int failed = 0;
    bool rowsUndone = false;
    ExitCode Exit() const { return failed > 0 || rowsUndone ? kExitRefused : kExitNoAnswer; }
};
struct Interrupted {
    ExitCode Exit() const { return kExitInterrupted; }
};
struct NotJoined {  // after a Wi-Fi save the printer did not answer on the network
    std::string port;
    int seconds = 0;
    ExitCode Exit() const { return kExitRefused; }
};
struct WifiOverNetwork {  // the Wi-Fi module is reached only on the serial or USB link
    std::string port;
    ExitCode Exit() const { return kExitBadInput; }
};
struct Bluetooth {  // the Bluetooth service's result for a device (or for none: address "")
    BluetoothStatus result = BluetoothStatus::Failed;
    std::string address;
    std::string pinVariable;  // pairing: the environment variable that held the PIN
    ExitCode Exit() const;
};

}  // namespace failure

using Failure =
    std::variant<std::monostate, failure::InputRefused, failure::PortHeld, failure::Printer,
                 failure::ModuleOpen, failure::ModuleStep, failure::ValuesDiffer,
                 failure::SilentAtNewLine, failure::NoUnitRow, failure::WaitRanOut,
                 failure::PortSearch, failure::StationIncomplete, failure::Interrupted,
                 failure::NotJoined, failure::WifiOverNetwork, failure::Bluetooth>;

struct Outcome {
    Failure failure;
    Step step = Step::None;
    bool Ok() const { return std::holds_alternative<std::monostate>(failure); }
    template <class T>
    const T* As() const {
        return std::get_if<T>(&failure);
    }
    bool Interrupted() const { return As<failure::Interrupted>() != nullptr; }
};

int ExitCodeOf(const Outcome& outcome);

// A failure in a step as an outcome.
Outcome Failed(Failure failure, Step step);
// A refusal of the input as an outcome.
Outcome InputOutcome(const InputError& error, Step step = Step::Check);
// A command line CLI11 refused, having said why itself.
Outcome CommandLineRefused();
// A file the verb must write (a profile, the trace, the audit) that cannot be written.
Outcome FileUnwritable(const std::string& file);

}  // namespace tarvek::cli
