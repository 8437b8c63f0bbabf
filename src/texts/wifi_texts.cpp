#include "texts/wifi_texts.h"

#include <iterator>

namespace tarvek::texts {
namespace {

constexpr LocalizedText kErrorUpper{"ERROR", nullptr};
constexpr LocalizedText kOk{"OK", nullptr};

struct StepTexts {
    int index;  // the register's table index (kMacQueryIndex: the MAC address)
    const char* noReply;
    const char* notAcknowledged;
};

constexpr StepTexts kReadTexts[] = {
    {kIpRegister, "Get IP Read Failed", "Get IP Information Failed"},
    {kNetmaskRegister, "Get Netmask Read Failed", "Get Netmask Information Failed"},
    {kGatewayRegister, "Get Gateway Read Failed", "Get Gateway Information Failed"},
    {kDnsRegister, "Get DNS Read Failed", "Get DNS Information Failed"},
    {kSsidRegister, "Get SSID Read Failed", "Get SSID Information Failed"},
    {kOptionsRegister, "Get Wi-Fi Options Read Failed", "Get Wi-Fi Options Information Failed"},
    {kWep40Register, "Get Wi-Fi 40-Bit WEP Key Read Failed",
     "Get Wi-Fi 40-Bit WEP Key Information Failed"},
    {kWep104Register, "Get Wi-Fi 104-Bit WEP Key Read Failed",
     "Get Wi-Fi 104-Bit WEP Key Information Failed"},
    {kPassphraseRegister, "Get Wi-Fi WPA Options Read Failed",
     "Get Wi-Fi WPA Options Information Failed"},
    {kPskRegister, "Get Wi-Fi WPA PSK Options Read Failed",
     nullptr},  // a refusal means a WEP-only module
    {kMacQueryIndex, "Get Mac Address Read Failed", "Get Mac Address Failed"},
};

constexpr StepTexts kWriteTexts[] = {
    {kIpRegister, "Set IP and Read Failed", "Set IP Write Syntex Error"},
    {kNetmaskRegister, "Set Netmask and Read Failed", "Set Netmask Syntex Error"},
    {kGatewayRegister, "Set Gateway and Read Failed", "Set Gateway Syntex Error"},
    {kDnsRegister, "Set DNS and Read Failed", "Set DNS Syntex Error"},
    {kSsidRegister, "Set SSID and Read Failed", "Set SSID Syntex Error"},
    {kOptionsRegister, "Set WLAN Options and Read Failed", "Set WLAN Write Syntex Error"},
    {kWep40Register, "Set 40-Bits WEP Key and Read Failed", "Set 40-Bits WEP Key Syntex Error"},
    {kWep104Register, "Set 104-Bits WEP Key and Read Failed", "Set 104-Bits WEP Key Syntex Error"},
    {kPassphraseRegister, "Set WPA KEY and Read Failed", "Set WPA KEY Syntex Error"},
    {kPskRegister, "Set WPA KEY and Read Failed", "Set WPA KEY Syntex Error"},
};
constexpr StepTexts kFlashTexts{kFlashStepIndex, "Flash Write Error", "Flash Write Error"};

// The texts of a step; the flash's for an index no register has.
template <std::size_t N>
const StepTexts& TextsOf(const StepTexts (&steps)[N], int index) {
    for (const StepTexts& step : steps) {
        if (step.index == index) {
            return step;
        }
    }
    return kFlashTexts;
}

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
            return TextsOf(kWriteTexts, kSsidRegister).notAcknowledged;
        case SaveRefusal::WpaKeyCharacters:
            return TextsOf(kWriteTexts, kPassphraseRegister).notAcknowledged;
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
    const StepTexts& texts = TextsOf(steps, result.index);
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
