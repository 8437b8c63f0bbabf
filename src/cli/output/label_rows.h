// What the configuration label says about a printer: its captions (in English, the one
// language every code page of the printer carries) beside the values the printer reported.
// The PIN, WEP keys and passphrase are never on it; a value the printer does not report says
// so.
#pragma once

#include <string>

#include "cli/session/printer_read.h"
#include "printer/config_label.h"

namespace tarvek::cli {

// time: when the label is made, as the label prints it.
ConfigLabel LabelOf(const PrinterReport& report, const std::string& time);

}  // namespace tarvek::cli
