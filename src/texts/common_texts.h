// Texts both dialogs use.
#pragma once

#include "texts/localized_text.h"

namespace tarvek::ui {

// An editable list holds a typed text that matches none of its entries: the operation is
// refused rather than sending a value the printer does not know.
inline constexpr LocalizedMessage kChooseFromListMessage{
    {"Please choose a value from the list.", "목록에서 값을 선택해 주세요."}, {"Error", "에러"}};

}  // namespace tarvek::ui
