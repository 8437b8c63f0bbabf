#include "wifi/wifi_dialog_lists.h"

#include <iterator>

#include "res/resource.h"
#include "wifimodule/module_enums.h"

namespace tarvek::wifitext {
namespace {

const char* const kModes[] = {"adhoc", "infrastructure"};
const char* const kAuths[] = {"None", "Open System", "Shared Key", "Both"};
const char* const kEncryptions[] = {"No WEP", "40 Bit", "104 Bit", "WPA"};
const char* const kFormats[] = {"HEX", "ASCII"};
const char* const kWpaAuths[] = {"None Use", "WPA PSK", "WPA2 PSK"};
const char* const kWpaCiphers[] = {"None Use", "TKIP", "AES"};

// Each list holds the module's entries in their order.
static_assert(static_cast<int>(std::size(kModes)) == ListSize(kWifiModeNames));
static_assert(static_cast<int>(std::size(kAuths)) == ListSize(kAuthenticationNames));
static_assert(static_cast<int>(std::size(kEncryptions)) == ListSize(kEncryptionNames));
static_assert(static_cast<int>(std::size(kWpaAuths)) == ListSize(kWpaAuthenticationNames));
static_assert(static_cast<int>(std::size(kWpaCiphers)) == ListSize(kWpaCipherNames));

template <std::size_t N>
constexpr ListEntries Entries(const char* const (&items)[N]) {
    return {items, static_cast<int>(N)};
}

}  // namespace

const ListEntries kWifiModes = Entries(kModes);
const ListEntries kAuthentications = Entries(kAuths);
const ListEntries kEncryptionsWep = {kEncryptions, kWepOnlyEncryptionCount};
const ListEntries kEncryptionsWpa = Entries(kEncryptions);
const ListEntries kKeyFormats = Entries(kFormats);
const ListEntries kWpaAuthentications = Entries(kWpaAuths);
const ListEntries kWpaEncryptions = Entries(kWpaCiphers);
const texts::LocalizedText kKeyIds[4] = {{"KEY ID 1", "키 ID 1"},
                                         {"KEY ID 2", "키 ID 2"},
                                         {"KEY ID 3", "키 ID 3"},
                                         {"KEY ID 4", "키 ID 4"}};

const ui::KoreanCaption kKoreanCaptions[] = {
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
const std::size_t kKoreanCaptionCount = std::size(kKoreanCaptions);
const texts::LocalizedText kTitle{"Wi-Fi Settings Dialog", "Wi-Fi 설정 다이얼로그"};

}  // namespace tarvek::wifitext
