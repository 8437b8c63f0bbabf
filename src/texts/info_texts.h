// The sentences that confirm a new power-save mode or code page, in English and Korean.
#pragma once

#include <string>

#include "texts/localized_text.h"

namespace tarvek::texts {

extern const LocalizedText kPowerSaveTitle;
extern const LocalizedText kCodePageTitle;
extern const LocalizedText kOkCaption;

// What the printer will now do in power-save mode 0, 1 or 2 after the minutes; "" for another.
std::string PowerSaveSentence(int mode, int minutes, int ansiCodePage);
// "Code Page changed to <name>."; the name is "" for a number outside the table.
std::string CodePageSentence(int number, int ansiCodePage);

}  // namespace tarvek::texts
