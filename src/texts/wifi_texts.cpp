#include "texts/wifi_texts.h"

#include <iterator>

namespace tarvek::texts {
namespace {

constexpr LocalizedText kErrorUpper{"ERROR", nullptr};
constexpr LocalizedText kOk{"OK", nullptr};

struct StepTexts {
    const char* noReply;
    const char* notAcknowledged;
};

// By register table index.
constexpr StepTexts kReadTexts[] = {
    {"Get IP Read Failed", "Get IP Information Failed"},
    {"Get Netmask Read Failed", "Get Netmask Information Failed"},
    {"Get Gateway Read Failed", "Get Gateway Information Failed"},
    {"Get DNS Read Failed", "Get DNS Information Failed"},
    {"Get SSID Read Failed", "Get SSID Information Failed"},
    {"Get Wi-Fi Options Read Failed", "Get Wi-Fi Options Information Failed"},
    {"Get Wi-Fi 40-Bit WEP Key Read Failed", "Get Wi-Fi 40-Bit WEP Key Information Failed"},
    {"Get Wi-Fi 104-Bit WEP Key Read Failed", "Get Wi-Fi 104-Bit WEP Key Information Failed"},
    {"Get Wi-Fi WPA Options Read Failed", "Get Wi-Fi WPA Options Information Failed"},
    {"Get Wi-Fi WPA PSK Options Read Failed", nullptr},  // a refusal means a WEP-only module
    {"Get Mac Address Read Failed", "Get Mac Address Failed"},
};

constexpr StepTexts kWriteTexts[] = {
    {"Set IP and Read Failed", "Set IP Write Syntex Error"},
    {"Set Netmask and Read Failed", "Set Netmask Syntex Error"},
    {"Set Gateway and Read Failed", "Set Gateway Syntex Error"},
    {"Set DNS and Read Failed", "Set DNS Syntex Error"},
    {"Set SSID and Read Failed", "Set SSID Syntex Error"},
    {"Set WLAN Options and Read Failed", "Set WLAN Write Syntex Error"},
    {"Set 40-Bits WEP Key and Read Failed", "Set 40-Bits WEP Key Syntex Error"},
    {"Set 104-Bits WEP Key and Read Failed", "Set 104-Bits WEP Key Syntex Error"},
    {"Set WPA KEY and Read Failed", "Set WPA KEY Syntex Error"},
    {"Set WPA KEY and Read Failed", "Set WPA KEY Syntex Error"},
};
constexpr StepTexts kFlashTexts{"Flash Write Error", "Flash Write Error"};

const char* RefusalText(SaveRefusal refusal) {
    switch (refusal) {
        case SaveRefusal::NoSelection:
            return "Please choose a value from the list.";
        case SaveRefusal::NotRead:
            return "Read the Wi-Fi settings before saving them.";
        case SaveRefusal::KeyTooLong:
            return "Key Length is too long";
        case SaveRefusal::KeyLengthNotMatched:
            return "Key Length is not matched";
        case SaveRefusal::WpaKeyLength:
            return "WPA Key Length is not long";
        // A value the module could not take is said as the module's own refusal of it would be.
        case SaveRefusal::SsidTooLong:
            return kWriteTexts[kSsidRegister].notAcknowledged;
        case SaveRefusal::WpaKeyCharacters:
            return kWriteTexts[kPassphraseRegister].notAcknowledged;
        case SaveRefusal::None:
            break;
    }
    return "";
}

template <std::size_t N>
LocalizedMessage Outcome(const SequenceResult& result, const StepTexts (&steps)[N],
                         const char* complete) {
    if (result.Succeeded()) {
        return {{complete, nullptr}, kOk};
    }
    const bool known = result.index >= 0 && result.index < static_cast<int>(N);
    const StepTexts& texts = known ? steps[result.index] : kFlashTexts;
    const char* text =
        result.failure == StepFailure::NoReply ? texts.noReply : texts.notAcknowledged;
    return {{text != nullptr ? text : "", nullptr}, kErrorUpper};
}

}  // namespace

const LocalizedMessage kModuleOpenFailed{{"Open Port Failed !!!", "시리얼 포트 열기 실패 !!!"},
                                         {"ERROR", "에러"}};
const LocalizedMessage kIspModeFailed{{"ISP Mode Set Failed", nullptr}, kErrorUpper};

LocalizedMessage ReadOutcome(const SequenceResult& result) {
    return Outcome(result, kReadTexts, "Read Complete");
}

LocalizedMessage SaveRefusalMessage(SaveRefusal refusal) {
    return {{RefusalText(refusal), nullptr}, {"Error", nullptr}};
}

LocalizedMessage WriteOutcome(const SequenceResult& result) {
    if (result.failure == StepFailure::Refused) {
        return SaveRefusalMessage(result.refusal);
    }
    return Outcome(result, kWriteTexts, "Write Complete");
}

}  // namespace tarvek::texts
