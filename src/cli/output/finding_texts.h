// The console tool's sentences about finding a printer: the port list, line detection and the
// "doctor" advice that follows a failure, in English and Korean (printf-style %s and %d).
#pragma once

#include "texts/localized_text.h"

namespace tarvek::cli::text {

using texts::LocalizedText;

// The port list, one entry per PortKind in its order.
extern const LocalizedText kPortKinds[6];
extern const LocalizedText kNoPorts;
extern const LocalizedText kAlsoNamed;            // %s alias
extern const LocalizedText kHeldByPrinter;        // %s printer, %s port
extern const LocalizedText kHeldByQueue;          // %s queue, %s device URI
extern const LocalizedText kHeldByProcess;        // %s command, %d process ID
extern const LocalizedText kAccessDenied;         // %s group
extern const LocalizedText kKernelDriver;         // %s driver
extern const LocalizedText kSomeProcessesUnseen;  // other users' processes

// Line detection
extern const LocalizedText kDetectFound;       // %s port, %s line flags, %s emulation
extern const LocalizedText kDetectNoAnswer;    // %s port, %d settings
extern const LocalizedText kDetectOpenFailed;  // %s port
extern const LocalizedText kDetectSkipped;     // %s port, %s why
extern const LocalizedText kNothingToProbe;
extern const LocalizedText kAutoFound;    // %s port, %s line flags
extern const LocalizedText kAutoNone;     // %s ports probed
extern const LocalizedText kAutoSeveral;  // %s ports
extern const LocalizedText kQueueHolds;   // %s port, %s queue (a CUPS queue holds the port)

// Advice after a failure
extern const LocalizedText kDoctorPrinter;      // %s printer, %s port
extern const LocalizedText kDoctorQueue;        // %s queue, %s queue
extern const LocalizedText kDoctorProcess;      // %s command, %d process ID
extern const LocalizedText kDoctorGroup;        // %s port, %s group, %s group
extern const LocalizedText kDoctorUsbGroup;     // the lp group and the package's udev rule
extern const LocalizedText kDoctorMissing;      // %s port
extern const LocalizedText kDoctorNoUsb;        // no USB printer connected
extern const LocalizedText kDoctorBluetooth;    // %s port
extern const LocalizedText kDoctorPorts;        // cannot tell why: the port list may
extern const LocalizedText kDoctorNoAnswer;     // %s port
extern const LocalizedText kDoctorNoAnswerUsb;  // USB printer silent

}  // namespace tarvek::cli::text
