#include "texts/info_texts.h"

#include <iterator>

#include "printer/code_page_table.h"

namespace tarvek::texts {
namespace {

constexpr LocalizedText kCodePageChanged{"Code Page changed to %s.",
                                         "코드 페이지가 %s로 변경되었습니다."};

// Indexed by the power-save mode: none, power off, power save.
constexpr LocalizedText kPowerSaveTexts[] = {
    {"Printer does not support the power save mode.", "프린터 파워 저장 기능을 사용하지 않습니다."},
    {"The printer power will be off after %d minute.",
     "%d분 후에 프린터 전원이 자동으로 끄집니다."},
    {"The printer goes into power save mode after %d minute.",
     "%d분 후에 프린터가 자동으로 파워 절약 모드가 됩니다."},
};

}  // namespace

const LocalizedText kPowerSaveTitle{"Power Save Mode Setting Information",
                                    "파워 저장 모드 설정 정보"};
const LocalizedText kCodePageTitle{"Code Page Setting Information", "코드 페이지 설정 정보"};
const LocalizedText kOkCaption{"OK", "확인"};

std::string PowerSaveSentence(int mode, int minutes, int ansiCodePage) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kPowerSaveTexts))) {
        return std::string();
    }
    return FormatText(kPowerSaveTexts[mode].For(ansiCodePage), minutes);
}

std::string CodePageSentence(int number, int ansiCodePage) {
    // A number outside the table names nothing rather than reading past it.
    const char* name = CodePageName(number);
    return FormatText(kCodePageChanged.For(ansiCodePage), name != nullptr ? name : "");
}

}  // namespace tarvek::texts
