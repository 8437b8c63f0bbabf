#include "maindlg/main_captions.h"

#include <iterator>

#include "res/resource.h"

namespace tarvek::maintext {

const ui::KoreanCaption kKoreanCaptions[] = {
    {IDC_OPEN_PORT, "포트 열기"},
    {IDC_CLOSE_PORT, "포트 닫기"},
    {IDC_SAVE_SERIAL, "시리얼 포트 설정 저장"},
    {IDC_GET_EMULATION, "Emulation 읽기"},
    {IDC_SET_CPCL, "CPCL 설정"},
    {IDC_SET_ESCPOS, "ESC/POS 설정"},
    {IDC_GET_BLUETOOTH, "블루투스 정보 읽어오기"},
    {IDC_SAVE_PIN, "핀코드 저장"},
    {IDC_SAVE_DISCOVERABLE, "검색 모드 저장"},
    {IDC_START_WIFI, "Wi-Fi 설정 시작"},
    {IDC_GROUP_CONNECTION, "프린터 연결 정보"},
    {IDC_GROUP_EMULATION, "Emulation 정보"},
    {IDC_GROUP_BLUETOOTH, "블루투스 정보"},
    {IDC_GROUP_PIN, "핀코드 정보"},
    {IDC_GROUP_DISCOVERABLE, "검색 모드 정보"},
    {IDC_GROUP_WIFI, "Wi-Fi 정보"},
    {IDC_LABEL_BT_ADDRESS, "블루투스 주소 : "},
    {IDC_LABEL_PIN_CODE, "핀코드 : "},
    {IDC_GROUP_POWER_SAVE, "파워 절약 모드"},
    {IDC_SAVE_POWER_SAVE, "파워 절약 모드 설정"},
    {IDC_LABEL_MINUTE, "분"},
    {IDC_GROUP_CODE_PAGE, "코드 페이지 설정"},
    {IDC_SAVE_CODE_PAGE, "코드 페이지 저장"},
    {IDC_PRINT_CODE_PAGE, "코드 페이지 인쇄"},
    {IDC_LABEL_CODE_PAGE, "코드 페이지 : "},
    {IDOK, "프로그램 종료"},
};
const std::size_t kKoreanCaptionCount = std::size(kKoreanCaptions);

const texts::LocalizedText kTitle{"Veltrin Mobile Label Printer Utiltiy 1.40",
                                  "Veltrin 라벨 프린터 설정 유틸리티 1.40"};

}  // namespace tarvek::maintext
