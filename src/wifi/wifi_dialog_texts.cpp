#include "wifi/wifi_dialog_texts.h"

#include <iterator>

#include "res/resource.h"

namespace tarvek::wifitext {
namespace {

const char* const kPorts[] = {"COM1", "COM2", "COM3", "COM4", "COM5",
                              "COM6", "COM7", "COM8", "COM9", "USB"};
const char* const kBaudRates[] = {"115200", "57600", "38400", "19200", "9600"};
const char* const kParities[] = {"NONE", "ODD", "EVEN"};
const char* const kDataBits[] = {"7", "8"};
const char* const kStopBits[] = {"1", "2"};
const char* const kFlows[] = {"DTR/DSR", "Xon/Xoff"};
const char* const kModes[] = {"adhoc", "infrastructure"};
const char* const kAuths[] = {"None", "Open System", "Shared Key", "Both"};
const char* const kEncryptions[] = {"No WEP", "40 Bit", "104 Bit", "WPA"};
const char* const kFormats[] = {"HEX", "ASCII"};
const char* const kWpaAuths[] = {"None Use", "WPA PSK", "WPA2 PSK"};
const char* const kWpaCiphers[] = {"None Use", "TKIP", "AES"};

template <std::size_t N>
constexpr ListEntries Entries(const char* const (&items)[N]) {
    return {items, static_cast<int>(N)};
}

}  // namespace

const StartList kStartLists[6] = {
    {IDC_WIFI_PORT, Entries(kPorts), 0},        {IDC_WIFI_BAUDRATE, Entries(kBaudRates), 3},
    {IDC_WIFI_PARITY, Entries(kParities), 0},   {IDC_WIFI_DATABITS, Entries(kDataBits), 1},
    {IDC_WIFI_STOPBITS, Entries(kStopBits), 0}, {IDC_WIFI_FLOW, Entries(kFlows), 0},
};

const ListEntries kWifiModes = Entries(kModes);
const ListEntries kAuthentications = Entries(kAuths);
const ListEntries kEncryptionsWep = {kEncryptions, 3};
const ListEntries kEncryptionsWpa = Entries(kEncryptions);
const ListEntries kKeyFormats = Entries(kFormats);
const ListEntries kWpaAuthentications = Entries(kWpaAuths);
const ListEntries kWpaEncryptions = Entries(kWpaCiphers);
const ui::LocalizedText kKeyIds[4] = {{"KEY ID 1", "키 ID 1"},
                                      {"KEY ID 2", "키 ID 2"},
                                      {"KEY ID 3", "키 ID 3"},
                                      {"KEY ID 4", "키 ID 4"}};

const KoreanCaption kKoreanCaptions[] = {
    {IDC_WIFI_OPEN_PORT, "포트 열기"},
    {IDC_WIFI_CLOSE_PORT, "포트 닫기"},
    {IDC_WIFI_GET, "Wi-Fi 정보 읽어오기"},
    {IDC_WIFI_SAVE, "Wi-Fi 정보 저장하기"},
    {IDOK, "Wi-Fi 종료"},
    {IDC_GROUP_PORT_AND_WIFI, "프린터 연결 포트 및 Wi-Fi 정보"},
    {IDC_GROUP_PORT_INFO, "프린터 연결 포트 정보"},
    {IDC_GROUP_WIFI_INFO, "Wi-Fi 정보"},
    {IDC_GROUP_WPA, "WPA 정보"},
    {IDC_LABEL_WIFI_AUTH, "Wi-Fi 인증 : "},
    {IDC_LABEL_ENCRYPTION, "Wi-Fi 데이터 암호화 : "},
    {IDC_LABEL_WPA_AUTH, "WPA 인증 : "},
    {IDC_LABEL_WPA_ENCRYPTION, "WPA 암호화 : "},
    {IDC_LABEL_WPA_KEY, "WPA 키 : "},
    {IDC_LABEL_PROGRESS, "진행율 : "},
    {IDC_LABEL_KEY_ID, "사용할 키 ID : "},
    {IDC_LABEL_KEY1, "키 ID 1 : "},
    {IDC_LABEL_KEY2, "키 ID 2 : "},
    {IDC_LABEL_KEY3, "키 ID 3 : "},
    {IDC_LABEL_KEY4, "키 ID 4 : "},
    {IDC_LABEL_WIFI_MODE, "Wi-Fi 모드 : "},
    {IDC_LABEL_WIFI_CHANNEL, "Wi-Fi 채널 : "},
    {IDC_LABEL_WPA_HINT, "WPA 키는 8~32 문자입니다."},
};
const int kKoreanCaptionCount = static_cast<int>(std::size(kKoreanCaptions));
const ui::LocalizedText kTitle{"Wi-Fi Settings Dialog", "Wi-Fi 설정 다이얼로그"};

const ui::LocalizedMessage kOpenPortFailed{{"Open Port Failed !!!", "시리얼 포트 열기 실패 !!!"},
                                           {"ERROR", "에러"}};
const char* const kIspModeFailed = "ISP Mode Set Failed";
const char* const kDataBitsParity = "Data Bits=7, Parity=NONE is not supported";
const char* const kErrorCaption = "ERROR";

}  // namespace tarvek::wifitext
