// The Wi-Fi dialog's lists of the module's settings and its Korean captions.
#pragma once

#include <cstddef>

#include "texts/localized_text.h"
#include "ui/korean_captions.h"

namespace tarvek::wifitext {

struct ListEntries {
    const char* const* items;
    int count;
};

// Lists filled by a read.
extern const ListEntries kWifiModes;
extern const ListEntries kAuthentications;
extern const ListEntries kEncryptionsWep;  // "No WEP", "40 Bit", "104 Bit"
extern const ListEntries kEncryptionsWpa;  // ... and "WPA"
extern const ListEntries kKeyFormats;
extern const ListEntries kWpaAuthentications;
extern const ListEntries kWpaEncryptions;
extern const texts::LocalizedText kKeyIds[4];

// The controls whose text becomes Korean under code page 949, and the title.
extern const ui::KoreanCaption kKoreanCaptions[];
extern const std::size_t kKoreanCaptionCount;
extern const texts::LocalizedText kTitle;

}  // namespace tarvek::wifitext
