#include "cli/result/outcome.h"

namespace tarvek::cli {
namespace {

constexpr const char* kStepNames[] = {
    "",           "check",         "port",
    "open",       "wifi open",     "wifi read",
    "wifi write", "bluetooth.pin", "bluetooth.discoverable",
    "power-save", "code-page",     "serial",
    "emulation",  "read-back",     "wait",
    "detect",     "print",         "network",
};

}  // namespace

const char* StepName(Step step) {
    return kStepNames[static_cast<int>(step)];
}

ExitCode failure::Printer::Exit() const {
    switch (failure) {
        case PrinterFailure::OpenFailed:
            return kExitPort;
        case PrinterFailure::NoAnswer:
            return kExitNoAnswer;
        case PrinterFailure::None:
        case PrinterFailure::NotAnEmulationCode:
        case PrinterFailure::BadValue:
            break;
    }
    return kExitRefused;
}

ExitCode failure::ModuleOpen::Exit() const {
    return failure == tarvek::ModuleOpen::OpenFailed ? kExitPort : kExitNoAnswer;
}

ExitCode failure::ModuleStep::Exit() const {
    return sequence.failure == StepFailure::NoReply ? kExitNoAnswer : kExitRefused;
}

// A refusal by the device (a wrong PIN) is the printer refusing; a service that fails on its
// own is no answer; every other result means the device cannot be reached yet.
ExitCode failure::Bluetooth::Exit() const {
    switch (result) {
        case BluetoothStatus::Refused:
            return kExitRefused;
        case BluetoothStatus::Failed:
            return kExitNoAnswer;
        default:
            return kExitPort;
    }
}

int ExitCodeOf(const Outcome& outcome) {
    return std::visit(
        [](const auto& f) -> int {
            if constexpr (std::is_same_v<std::decay_t<decltype(f)>, std::monostate>) {
                return kExitDone;
            } else {
                return f.Exit();
            }
        },
        outcome.failure);
}

Outcome Failed(Failure failure, Step step) {
    Outcome outcome;
    outcome.failure = std::move(failure);
    outcome.step = step;
    return outcome;
}

Outcome InputOutcome(const InputError& error, Step step) {
    return Failed(failure::InputRefused{error}, step);
}

Outcome CommandLineRefused() {
    return InputOutcome(InputError{});
}

Outcome FileUnwritable(const std::string& file) {
    InputError error;
    error.problem = Problem::FileUnwritable;
    error.source = file;
    return InputOutcome(error);
}

}  // namespace tarvek::cli
