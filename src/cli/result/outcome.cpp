#include "cli/result/outcome.h"

namespace tarvek::cli {
namespace {

constexpr const char* kStepNames[] = {
    "",           "check",         "port",
    "open",       "wifi open",     "wifi read",
    "wifi write", "bluetooth.pin", "bluetooth.discoverable",
    "power-save", "code-page",     "serial",
    "emulation",  "read-back",     "wait",
    "detect",
};

struct FailureCode {
    Failure failure;
    int code;
};
constexpr FailureCode kCodes[] = {
    {Failure::None, kExitDone},
    {Failure::Input, kExitBadInput},
    {Failure::PortHeld, kExitPort},
    {Failure::OpenFailed, kExitPort},
    {Failure::NoAnswer, kExitNoAnswer},
    {Failure::NotAnEmulationCode, kExitRefused},
    {Failure::IspNoReply, kExitNoAnswer},
    {Failure::WifiSequence, kExitRefused},  // a step without reply: kExitNoAnswer (below)
    {Failure::ReadBackDiffers, kExitRefused},
    {Failure::NoAnswerAtNewLine, kExitRefused},
    {Failure::NoUnitRow, kExitRefused},
    {Failure::NoPrinterInTime, kExitNoAnswer},
    {Failure::StillConnected, kExitRefused},
    {Failure::Interrupted, kExitInterrupted},
    {Failure::Differs, kExitRefused},
    {Failure::NoPrinterFound, kExitNoAnswer},
    {Failure::SeveralPrinters, kExitPort},
};

}  // namespace

const char* StepName(Step step) {
    return kStepNames[static_cast<int>(step)];
}

int ExitCodeOf(const Outcome& outcome) {
    if (outcome.failure == Failure::WifiSequence &&
        outcome.sequence.failure == StepFailure::NoReply) {
        return kExitNoAnswer;
    }
    for (const FailureCode& c : kCodes) {
        if (c.failure == outcome.failure) {
            return c.code;
        }
    }
    return kExitRefused;
}

Outcome InputOutcome(const InputError& error, Step step) {
    Outcome outcome;
    outcome.failure = Failure::Input;
    outcome.step = step;
    outcome.input = error;
    return outcome;
}

}  // namespace tarvek::cli
