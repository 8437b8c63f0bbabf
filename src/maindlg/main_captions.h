// The main dialog's captions that change under code page 949 (the others keep their English
// text), and its title.
#pragma once

#include <cstddef>

#include "texts/localized_text.h"
#include "ui/korean_captions.h"

namespace tarvek::maintext {

extern const ui::KoreanCaption kKoreanCaptions[];
extern const std::size_t kKoreanCaptionCount;
extern const texts::LocalizedText kTitle;

}  // namespace tarvek::maintext
