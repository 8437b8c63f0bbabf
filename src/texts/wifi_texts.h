// What the front ends say about the Wi-Fi module's exchanges: opening the module's port, the
// outcome of a read or a save (each failing step has its own message; none has a Korean form)
// and the refusals of a save.
#pragma once

#include "texts/localized_text.h"
#include "wifimodule/module_session.h"
#include "wifimodule/wifi_sequences.h"

namespace tarvek::texts {

extern const LocalizedMessage kModuleOpenFailed;  // "Open Port Failed !!!"
extern const LocalizedMessage kIspModeFailed;     // always English

// The message box after a read: the failing step's message (caption "ERROR") or
// "Read Complete" (caption "OK").
LocalizedMessage ReadOutcome(const SequenceResult& result);
// The same for a save; a refusal before anything was sent has the caption "Error".
LocalizedMessage WriteOutcome(const SequenceResult& result);
LocalizedMessage SaveRefusalMessage(SaveRefusal refusal);

}  // namespace tarvek::texts
