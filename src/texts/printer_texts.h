// What the front ends say about the printer's exchanges, in English and Korean: the failures of
// opening the port and of the emulation query, and the names of the emulations.
#pragma once

#include "printer/printer_session.h"
#include "texts/localized_text.h"

namespace tarvek::texts {

extern const LocalizedMessage kSerialOpenFailed;
extern const LocalizedMessage kUsbOpenFailed;
extern const LocalizedMessage kNoResponse;
extern const LocalizedMessage kEmulationReadFailed;
extern const LocalizedMessage kChooseDiscoverable;
extern const LocalizedMessage kPinRefused;
// Always English.
extern const LocalizedMessage kDataBitsParity;

// The message for a failed query or read: NoAnswer, NotAnEmulationCode; nullptr for others.
const LocalizedMessage* QueryFailureMessage(PrinterFailure failure);

// The emulation's name as the emulation field shows it ("Unkonwn Emulation" for no code).
const char* EmulationName(int emulation);

}  // namespace tarvek::texts
