// The console tool's own sentences in English and Korean (the messages it shares with the
// dialogs come from texts/). Each carries printf-style %s and %d.
#pragma once

#include "texts/localized_text.h"

namespace tarvek::cli::text {

using texts::LocalizedText;

// What the printer reported
extern const LocalizedText kPrinterOn;      // %s port
extern const LocalizedText kNeverReported;  // the printer has no query for it
extern const LocalizedText kWifiNotRead;    // --wifi reads it
extern const LocalizedText kNoModule;       // no module answered
extern const LocalizedText kNotInUse;       // WEP keys without WEP
extern const LocalizedText kHidden;         // a secret not shown
extern const LocalizedText kModuleWepOnly;
extern const LocalizedText kModuleWpaCapable;

// Outcomes
extern const LocalizedText kApplied;       // %d settings
extern const LocalizedText kUnverifiable;  // %s keys
extern const LocalizedText kMatches;
extern const LocalizedText kDiffers;
extern const LocalizedText kDifference;  // %s key, %s wanted, %s reported
extern const LocalizedText kNotReported;
extern const LocalizedText kProfileWritten;  // %s file
extern const LocalizedText kSecretsLeftOut;  // %s keys
extern const LocalizedText kValuesLeftOut;   // %s keys
extern const LocalizedText kProfileValid;    // %s file, %d settings
extern const LocalizedText kStep;            // %s step
extern const LocalizedText kReadBackDiffers;
extern const LocalizedText kPreSharedKey;
extern const LocalizedText kNoAnswerAtNewLine;
extern const LocalizedText kNoUnitRow;        // %s address
extern const LocalizedText kNoPrinterInTime;  // %d seconds
extern const LocalizedText kStillConnected;   // %d seconds
extern const LocalizedText kInterrupted;
extern const LocalizedText kWifiOverNetwork;  // %s port
extern const LocalizedText kNoConnection;
extern const LocalizedText kNotJoined;       // %s port, %d seconds
extern const LocalizedText kJoined;          // %d seconds, %s port
extern const LocalizedText kAddressUnknown;  // DHCP

// The station loop
extern const LocalizedText kWaiting;     // %s port
extern const LocalizedText kUnitStart;   // %d unit, %s address
extern const LocalizedText kUnitDone;    // %d unit, %s address
extern const LocalizedText kUnitFailed;  // %d unit, %s address, %s message
extern const LocalizedText kConnectNext;
extern const LocalizedText kStationEnd;     // %d done, %d failed
extern const LocalizedText kStationEndOne;  // one done, %d failed
extern const LocalizedText kUnitsUsedUp;
extern const LocalizedText kRowsUndone;

// A raw exchange
extern const LocalizedText kSent;      // %d bytes
extern const LocalizedText kReceived;  // %d bytes, %d pieces

// The terminal
extern const LocalizedText kTermReady;  // %s port
extern const LocalizedText kTermHex;
extern const LocalizedText kTermText;
extern const LocalizedText kTermLogging;  // %s file
extern const LocalizedText kTermUnknown;  // %s command

// The configuration report
extern const LocalizedText kLabelPrinted;    // %s emulation, %d bytes
extern const LocalizedText kLabelInEnglish;  // no code page of the printer carries Korean

// Progress
extern const LocalizedText kReadingWifi;  // %d, %d
extern const LocalizedText kSavingWifi;   // %d, %d

// Refusals of the input
extern const LocalizedText kNotKeyValue;        // %s
extern const LocalizedText kUnknownKey;         // %s
extern const LocalizedText kBadValue;           // %s key, %s value, %s allowed
extern const LocalizedText kRepeatedKey;        // %s
extern const LocalizedText kEnvMissing;         // %s key, %s variable
extern const LocalizedText kFileUnreadable;     // %s
extern const LocalizedText kFileUnwritable;     // %s
extern const LocalizedText kNotJson;            // %s file, %s detail
extern const LocalizedText kNotAProfile;        // %s
extern const LocalizedText kUnknownGroup;       // %s
extern const LocalizedText kWrongType;          // %s
extern const LocalizedText kNoUnits;            // %s
extern const LocalizedText kBadUnitsRow;        // more cells than keys
extern const LocalizedText kOpenQuote;          // a quoted cell not closed
extern const LocalizedText kWepKeyNeedsWep;     // %s
extern const LocalizedText kWepKeyWrongSize;    // %s key, %s encryption
extern const LocalizedText kFixedByEncryption;  // %s key, %s encryption, %s value
extern const LocalizedText kWpaWithoutAuth;
extern const LocalizedText kMinutesNeedMode;
extern const LocalizedText kCodePageNeedsEscPos;
extern const LocalizedText kLineFixedInCpcl;  // %s
extern const LocalizedText kWpaNotOffered;
extern const LocalizedText kModuleValueUnlisted;
extern const LocalizedText kPortMissing;
extern const LocalizedText kSeveralPorts;
extern const LocalizedText kStationPorts;
extern const LocalizedText kUnitsByAddress;
extern const LocalizedText kSendSource;
extern const LocalizedText kBadHex;     // %s
extern const LocalizedText kBadEscape;  // %s
extern const LocalizedText kChangesModule;
extern const LocalizedText kInFile;  // %s file (prefix of a refusal in a file)
extern const LocalizedText kInLine;  // %s file, %d line

// Allowed values
extern const LocalizedText kAllowedRange;     // %d, %d
extern const LocalizedText kAllowedCodePage;  // %d
extern const LocalizedText kAllowedAddress;
extern const LocalizedText kAllowedText;        // %d
extern const LocalizedText kAllowedPin;         // %d
extern const LocalizedText kAllowedPassphrase;  // %d, %d
extern const LocalizedText kAllowedWepKey;
extern const LocalizedText kSecretMark;

}  // namespace tarvek::cli::text
