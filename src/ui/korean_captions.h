// A dialog's captions that change under code page 949: the title and the controls that have a
// Korean text (the others keep their English caption).
#pragma once

#include <cstddef>

#include "ui/dialog_host.h"

namespace tarvek::ui {

struct KoreanCaption {
    int controlId;
    const char* korean;
};

inline void SetKoreanCaptions(DialogHost& host, const char* title, const KoreanCaption* captions,
                              std::size_t count) {
    host.SetTitle(title);
    for (std::size_t i = 0; i < count; ++i) {
        host.SetText(captions[i].controlId, captions[i].korean);
    }
}

}  // namespace tarvek::ui
