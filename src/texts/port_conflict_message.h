// The message both dialogs show when an installed printer holds the port: English with the port,
// the printer and the port again; Korean with the port and the printer.
#pragma once

#include <string>

#include "link/port_conflict_check.h"
#include "texts/localized_text.h"

namespace tarvek {

inline constexpr ui::LocalizedMessage kPortConflictMessage{
    {"The port(%s) is already occupied in windows printer driver(%s).\n\nSo, please change your "
     "printer driver port from %s to other port\n\nand execute again.",
     "포트(%s)가 프린터 드라이버(%s)에서 사용 중입니다.\n\n프린터 드라이버의 포트를 다른 포트로 "
     "변경 후\n\n유틸리티를 다시 실행해 주세요."},
    {"ERROR", "에러"}};

// The whole text, however long the printer's name.
inline std::string FormatPortConflict(const std::string& port, const PortHolder& holder,
                                      int ansiCodePage) {
    return ui::FormatText(kPortConflictMessage.text.For(ansiCodePage), port.c_str(),
                          holder.printerName.c_str(), port.c_str());
}

}  // namespace tarvek
