// What a verb ends with: done, or the failure, the step it happened in and what the output needs
// to word it; and the program's exit codes, which are part of its interface.
#pragma once

#include <string>
#include <vector>

#include "cli/settings/key_value_input.h"
#include "cli/result/exit_codes.h"
#include "link/port_conflict_check.h"
#include "link/printer_link.h"
#include "wifimodule/wifi_sequences.h"

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
};
const char* StepName(Step step);

enum class Failure : int {
    None,
    Input,               // input: the refusal
    PortHeld,            // holder
    OpenFailed,          // transport
    NoAnswer,            // the printer (or the module) did not answer
    NotAnEmulationCode,  // an answer that names no emulation
    IspNoReply,          // the module did not answer the switch to ISP mode
    WifiSequence,        // sequence: the read or save step that failed
    ReadBackDiffers,     // differences: values that did not take
    NoAnswerAtNewLine,   // the printer is silent on the line it was told to use
    NoUnitRow,           // input.value: a printer the units file has no row for
    NoPrinterInTime,     // no printer answered within the wait
    StillConnected,      // the printer was not taken away within the wait
    Interrupted,
    Differs,          // profile diff: differences
    NoPrinterFound,   // --port auto: port lists the ports probed
    SeveralPrinters,  // --port auto: port lists the ports with a printer
};

struct Difference {
    KeyId key;
    std::string expected;  // as shown (secrets are masked by the output)
    std::string actual;
};

struct Outcome {
    Failure failure = Failure::None;
    Step step = Step::None;
    InputError input;
    TransportKind transport = TransportKind::Serial;
    std::string port;  // the port; for the search of --port auto, the ports it names
    PortHolder holder;
    SequenceResult sequence;
    bool moduleWrite = false;  // sequence is from a save (else from a read)
    int seconds = 0;           // the wait that ran out
    std::vector<Difference> differences;
    bool Ok() const { return failure == Failure::None; }
};

int ExitCodeOf(const Outcome& outcome);

// A refusal of the input as an outcome.
Outcome InputOutcome(const InputError& error, Step step = Step::Check);

}  // namespace tarvek::cli
