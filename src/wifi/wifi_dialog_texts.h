// The Wi-Fi dialog's lists, its Korean captions and its messages.
#pragma once

#include "texts/localized_text.h"

namespace tarvek::wifitext {

struct ListEntries {
    const char* const* items;
    int count;
};

// Lists filled at dialog start, with their initial selection.
struct StartList {
    int comboId;
    ListEntries entries;
    int initialSelection;
};
extern const StartList kStartLists[6];  // port, baud rate, parity, data bits, stop bits, flow

// Lists filled by a read.
extern const ListEntries kWifiModes;
extern const ListEntries kAuthentications;
extern const ListEntries kEncryptionsWep;  // "No WEP", "40 Bit", "104 Bit"
extern const ListEntries kEncryptionsWpa;  // ... and "WPA"
extern const ListEntries kKeyFormats;
extern const ListEntries kWpaAuthentications;
extern const ListEntries kWpaEncryptions;
extern const ui::LocalizedText kKeyIds[4];
inline constexpr int kChannelCount = 14;

// A control whose text becomes Korean under code page 949.
struct KoreanCaption {
    int controlId;
    const char* korean;
};
extern const KoreanCaption kKoreanCaptions[];
extern const int kKoreanCaptionCount;
extern const ui::LocalizedText kTitle;

extern const ui::LocalizedMessage kOpenPortFailed;
extern const char* const kIspModeFailed;
extern const char* const kDataBitsParity;
extern const char* const kErrorCaption;  // "ERROR"

}  // namespace tarvek::wifitext
