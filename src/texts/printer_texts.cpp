#include "texts/printer_texts.h"

#include "printer/printer_domain.h"

namespace tarvek::texts {
namespace {

constexpr LocalizedText kErrorCaption{"Error", "에러"};

}  // namespace

const LocalizedMessage kSerialOpenFailed{{"Serial Port Open Failed", "시리얼 포트 열기 실패 !!!"},
                                         kErrorCaption};
const LocalizedMessage kUsbOpenFailed{{"USB Port Open Failed", "USB 포트 열기 실패 !!!"},
                                      kErrorCaption};
const LocalizedMessage kNoResponse{{"No Response in printer", "프린터 응답이 없습니다. !!!"},
                                   kErrorCaption};
const LocalizedMessage kEmulationReadFailed{{"Failed to read emulation", "Emulation 읽기 실패 !!!"},
                                            kErrorCaption};
// The discoverable mode is sent only once it was read from the printer or chosen.
const LocalizedMessage kChooseDiscoverable{
    {"Please choose ON or OFF first.", "ON 또는 OFF를 먼저 선택해 주세요."}, kErrorCaption};
// A PIN goes into a quoted command line: quotes and control characters would end it early.
const LocalizedMessage kPinRefused{{"The PIN code may not hold quotes or control characters.",
                                    "핀코드에는 따옴표나 제어 문자를 사용할 수 없습니다."},
                                   kErrorCaption};
const LocalizedMessage kDataBitsParity{{"Data Bits=7, Parity=NONE is not supported", nullptr},
                                       {"ERROR", nullptr}};

const LocalizedMessage* QueryFailureMessage(PrinterFailure failure) {
    switch (failure) {
        case PrinterFailure::NoAnswer:
            return &kNoResponse;
        case PrinterFailure::NotAnEmulationCode:
            return &kEmulationReadFailed;
        default:
            return nullptr;
    }
}

const char* EmulationName(int emulation) {
    const PrinterValue* value = ValueTable(kEmulations).ByNumber(emulation);
    return value != nullptr ? value->label : "Unkonwn Emulation";
}

}  // namespace tarvek::texts
