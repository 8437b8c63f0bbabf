// What the front ends say about the port before they open it: a printer that holds it, a
// printer list that cannot be read, and a typed text that is no entry of a list.
#pragma once

#include <string>

#include "link/conflict/port_conflict_check.h"
#include "texts/localized_text.h"

namespace tarvek::texts {

// English with the port, the printer and the port again; Korean with the port and the printer.
inline constexpr LocalizedMessage kPortConflictMessage{
    {"The port(%s) is already occupied in windows printer driver(%s).\n\nSo, please change your "
     "printer driver port from %s to other port\n\nand execute again.",
     "포트(%s)가 프린터 드라이버(%s)에서 사용 중입니다.\n\n프린터 드라이버의 포트를 다른 포트로 "
     "변경 후\n\n유틸리티를 다시 실행해 주세요."},
    {"ERROR", "에러"}};

// The whole text, however long the printer's name; port is the name the message shows.
inline std::string FormatPortConflict(const std::string& port, const PortHolder& holder,
                                      int ansiCodePage) {
    return FormatText(kPortConflictMessage.text.For(ansiCodePage), port.c_str(),
                      holder.printerName.c_str(), port.c_str());
}

// Always English.
inline constexpr LocalizedMessage kPrinterListUnreadable{{"EnumPrinters() failed", nullptr},
                                                         {"EnumPrinters() Error", nullptr}};

// An editable list holds a typed text that matches none of its entries: the operation is
// refused rather than sending a value the printer does not know.
inline constexpr LocalizedMessage kChooseFromListMessage{
    {"Please choose a value from the list.", "목록에서 값을 선택해 주세요."}, {"Error", "에러"}};

}  // namespace tarvek::texts
