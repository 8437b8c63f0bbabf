// The sentences of the Bluetooth verbs and of their failures, in English and Korean.
#pragma once

#include "texts/localized_text.h"

namespace tarvek::cli::text {

using texts::LocalizedText;

extern const LocalizedText kBtDevice;     // %s address, %s name, %s paired, %s serial port
extern const LocalizedText kBtPairedYes;  // the words of the list's columns
extern const LocalizedText kBtPairedNo;
extern const LocalizedText kBtSerialYes;
extern const LocalizedText kBtSerialNo;
extern const LocalizedText kBtNoDevices;
extern const LocalizedText kBtPaired;    // %s address
extern const LocalizedText kBtUnpaired;  // %s address

// Failures; each takes the device's address (%s) but the first two.
extern const LocalizedText kBtNoService;
extern const LocalizedText kBtNoAdapter;
extern const LocalizedText kBtNotFound;
extern const LocalizedText kBtNotPaired;
extern const LocalizedText kBtNoSerial;
extern const LocalizedText kBtRefused;
extern const LocalizedText kBtFailed;

// Advice
extern const LocalizedText kDoctorBtPair;  // %s address
extern const LocalizedText kDoctorBtPin;   // the PIN's variable
extern const LocalizedText kDoctorBtService;

}  // namespace tarvek::cli::text
