// The main dialog's texts in English and Korean: the captions that change under code page 949
// and the messages of its handlers.
#pragma once

#include <vector>

#include "texts/localized_text.h"

namespace tarvek::maintext {

// A control whose caption is Korean under code page 949 (the others keep their English text).
struct KoreanCaption {
    int controlId;
    const char* korean;
};
const std::vector<KoreanCaption>& KoreanCaptions();
extern const ui::LocalizedText kTitle;

// Messages (text and caption).
extern const ui::LocalizedMessage kSerialOpenFailed;
extern const ui::LocalizedMessage kUsbOpenFailed;
extern const ui::LocalizedMessage kNoResponse;
extern const ui::LocalizedMessage kEmulationReadFailed;
extern const ui::LocalizedMessage kChooseDiscoverable;
// Always English.
extern const char* const kDataBitsParityText;
extern const char* const kDataBitsParityCaption;

// Texts of the emulation field.
extern const char* const kEmulationCpclText;
extern const char* const kEmulationEscPosText;
extern const char* const kEmulationUnknownText;

}  // namespace tarvek::maintext
