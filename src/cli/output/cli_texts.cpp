#include "cli/output/cli_texts.h"

namespace tarvek::cli::text {

const LocalizedText kPrinterOn{"Printer on %s", "%s 포트의 프린터"};
const LocalizedText kNeverReported{"unknown (the printer does not report it)",
                                   "알 수 없음 (프린터가 알려 주지 않는 값)"};
const LocalizedText kWifiNotRead{"not read (--wifi reads it)", "읽지 않음 (--wifi로 읽기)"};
const LocalizedText kNoModule{"no Wi-Fi module answered", "응답한 Wi-Fi 모듈이 없음"};
const LocalizedText kNotInUse{"not in use with this encryption", "이 암호화에서는 사용하지 않음"};
const LocalizedText kHidden{"(secret, hidden; --show-secrets shows it)",
                            "(비밀 값, 숨김; --show-secrets로 표시)"};
const LocalizedText kModuleWepOnly{"WEP only", "WEP 전용"};
const LocalizedText kModuleWpaCapable{"WEP and WPA", "WEP 및 WPA"};

const LocalizedText kApplied{"Done: %d settings written; the printer reports them as asked.",
                             "완료: 설정 %d개를 썼고 프린터가 요청한 값으로 알려 줍니다."};
const LocalizedText kUnverifiable{"Sent, not verifiable (the printer does not report them): %s",
                                  "보냈지만 확인할 수 없음 (프린터가 알려 주지 않음): %s"};
const LocalizedText kMatches{"The printer matches the profile.", "프린터가 프로파일과 일치합니다."};
const LocalizedText kDiffers{"The printer differs from the profile:",
                             "프린터가 프로파일과 다릅니다:"};
const LocalizedText kDifference{"  %s: wanted %s, the printer reports %s",
                                "  %s: 원하는 값 %s, 프린터의 값 %s"};
const LocalizedText kNotReported{"nothing", "없음"};
const LocalizedText kProfileWritten{"Profile written to %s.", "프로파일을 %s에 저장했습니다."};
const LocalizedText kSecretsLeftOut{"Secrets left out (--include-secrets writes them): %s",
                                    "비밀 값은 제외했습니다 (--include-secrets로 포함): %s"};
const LocalizedText kValuesLeftOut{"Left out (no profile can hold the value read): %s",
                                   "제외함 (읽은 값을 프로파일에 담을 수 없음): %s"};
const LocalizedText kProfileValid{"%s is a valid profile with %d settings.",
                                  "%s은(는) 설정 %d개의 올바른 프로파일입니다."};
const LocalizedText kStep{" (step: %s)", " (단계: %s)"};
const LocalizedText kReadBackDiffers{"These values did not take (read back from the printer):",
                                     "다음 값이 적용되지 않았습니다 (프린터에서 다시 읽은 값):"};
const LocalizedText kPreSharedKey{"the pre-shared key derived from it",
                                  "이 값에서 만든 사전 공유 키"};
const LocalizedText kNoAnswerAtNewLine{
    "The printer does not answer at its new line settings: the serial settings did not take as "
    "asked.",
    "프린터가 새 통신 설정에서 응답하지 않습니다: 시리얼 설정이 요청대로 적용되지 않았습니다."};
const LocalizedText kWifiOverNetwork{
    "The Wi-Fi module is reached only on the serial or USB link, not over the network (%s): "
    "leave the wifi.* keys out (profile save: --no-wifi). Nothing was sent.",
    "Wi-Fi 모듈은 시리얼 또는 USB 연결로만 설정할 수 있고 네트워크(%s)로는 할 수 없습니다: "
    "wifi.* 키를 빼십시오 (profile save: --no-wifi). 아무것도 보내지 않았습니다."};
const LocalizedText kNoConnection{"No connection within 5 s (refused or unreachable)",
                                  "5초 안에 연결하지 못했습니다 (거부되었거나 연결할 수 없음)"};
const LocalizedText kNotJoined{
    "Network: not reached: nothing answered at %s within %d s (the printer has not joined).",
    "네트워크: 연결 안 됨: %s에서 %d초 안에 응답이 없습니다 (프린터가 네트워크에 들어오지 않음)."};
const LocalizedText kJoined{"Network: joined after %d s (the printer answers at %s).",
                            "네트워크: %d초 후 연결됨 (프린터가 %s에서 응답합니다)."};
const LocalizedText kAddressUnknown{
    "Network: not checked: with DHCP (IP 0.0.0.0) the printer's address is unknown here.",
    "네트워크: 확인하지 않음: DHCP(IP 0.0.0.0)에서는 프린터의 주소를 여기서 알 수 없습니다."};
const LocalizedText kNoUnitRow{"The units file has no row for the printer %s.",
                               "유닛 파일에 프린터 %s의 행이 없습니다."};
const LocalizedText kNoPrinterInTime{"No printer answered within %d s.",
                                     "%d초 안에 응답한 프린터가 없습니다."};
const LocalizedText kStillConnected{"The printer was not disconnected within %d s.",
                                    "%d초 안에 프린터 연결이 해제되지 않았습니다."};
const LocalizedText kInterrupted{
    "Interrupted. The Wi-Fi module was taken out of ISP mode; nothing was half-saved.",
    "중단되었습니다. Wi-Fi 모듈은 ISP 모드에서 나왔고 반쯤 저장된 설정은 없습니다."};

const LocalizedText kWaiting{"Waiting for a printer on %s ...",
                             "%s 포트에서 프린터를 기다리는 중 ..."};
const LocalizedText kUnitStart{"Unit %d (%s): applying the profile ...",
                               "유닛 %d (%s): 프로파일 적용 중 ..."};
const LocalizedText kUnitDone{"Unit %d (%s): done.", "유닛 %d (%s): 완료."};
const LocalizedText kUnitFailed{"Unit %d (%s): FAILED: %s", "유닛 %d (%s): 실패: %s"};
const LocalizedText kConnectNext{"Disconnect this printer and connect the next one.",
                                 "이 프린터의 연결을 해제하고 다음 프린터를 연결하세요."};
const LocalizedText kStationEnd{"Finished: %d printers done, %d failed.",
                                "종료: 프린터 %d대 완료, %d대 실패."};
const LocalizedText kStationEndOne{"Finished: 1 printer done, %d failed.",
                                   "종료: 프린터 1대 완료, %d대 실패."};
const LocalizedText kRowsUndone{"Not provisioned: the units file's rows on lines %s.",
                                "프로비저닝되지 않음: 유닛 파일의 %s번째 줄의 행."};
const LocalizedText kUnitsUsedUp{"Every row of the units file is done.",
                                 "유닛 파일의 모든 행을 처리했습니다."};

const LocalizedText kReadingWifi{"Reading the Wi-Fi settings: step %d of %d",
                                 "Wi-Fi 설정 읽는 중: %d/%d 단계"};
const LocalizedText kSavingWifi{"Saving the Wi-Fi settings: step %d of %d",
                                "Wi-Fi 설정 저장 중: %d/%d 단계"};

const LocalizedText kNotKeyValue{"\"%s\" is not KEY=VALUE.",
                                 "\"%s\"은(는) KEY=VALUE 형식이 아닙니다."};
const LocalizedText kUnknownKey{"%s: no such key (\"tarvek-cli keys\" lists them).",
                                "%s: 없는 키입니다 (\"tarvek-cli keys\"로 목록 보기)."};
const LocalizedText kBadValue{"%s: \"%s\" is not allowed; allowed: %s.",
                              "%s: \"%s\"은(는) 허용되지 않습니다. 허용 값: %s."};
const LocalizedText kRepeatedKey{"%s is given twice.", "%s이(가) 두 번 주어졌습니다."};
const LocalizedText kEnvMissing{"%s: the environment variable %s is not set.",
                                "%s: 환경 변수 %s이(가) 설정되어 있지 않습니다."};
const LocalizedText kFileUnreadable{"Cannot read %s.", "%s을(를) 읽을 수 없습니다."};
const LocalizedText kPortMissing{"--port is required", "--port 옵션이 필요합니다"};
const LocalizedText kSeveralPorts{
    "This verb talks to one printer: give --port once.",
    "이 명령은 프린터 한 대와 통신합니다: --port를 한 번만 주십시오."};
const LocalizedText kStationPorts{
    "The station's ports: name each once, none of them auto, and one USB printer at most.",
    "스테이션의 포트: 각각 한 번만, auto 없이, USB 프린터는 한 대까지만 주십시오."};
const LocalizedText kUnitsByAddress{
    "--port bt:units: the station (--each) reaches the printers of --units, a file with a "
    "bluetooth.address column.",
    "--port bt:units: 스테이션(--each)은 bluetooth.address 열이 있는 --units 파일의 프린터에 "
    "연결합니다."};
const LocalizedText kSendSource{
    "Give the bytes once: one of --hex, --text or --file, with at least one byte.",
    "보낼 바이트를 한 번만 주십시오: --hex, --text, --file 중 하나에 한 바이트 이상."};
const LocalizedText kBadHex{"--hex \"%s\": give pairs of hex digits, such as \"1C 45 43\".",
                            "--hex \"%s\": \"1C 45 43\"처럼 16진수를 두 자리씩 주십시오."};
const LocalizedText kBadEscape{"--text \"%s\": the escapes are \\r, \\n, \\t, \\\\ and \\xHH.",
                               "--text \"%s\": 이스케이프는 \\r, \\n, \\t, \\\\, \\xHH 입니다."};
const LocalizedText kChangesModule{
    "These bytes would switch the Wi-Fi module into its programming (ISP) mode or write its "
    "flash, and a module left half way may not work again: nothing was sent (--force sends "
    "them).",
    "이 바이트는 Wi-Fi 모듈을 프로그래밍(ISP) 모드로 바꾸거나 플래시에 씁니다. 중간에 멈춘 "
    "모듈은 다시 동작하지 않을 수 있어 아무것도 보내지 않았습니다 (--force로 보낼 수 "
    "있습니다)."};
const LocalizedText kSent{"Sent %d bytes:", "%d바이트를 보냈습니다:"};
const LocalizedText kReceived{"Received %d bytes in %d pieces:",
                              "%d바이트를 %d번에 나누어 받았습니다:"};
const LocalizedText kTermReady{
    "%s is open. A line typed is sent with \\r\\n (\\xHH for any byte); :hex, :text, "
    ":log FILE, :quit.",
    "%s 포트가 열렸습니다. 입력한 줄은 \\r\\n과 함께 보냅니다 (\\xHH로 임의 바이트); :hex, "
    ":text, :log FILE, :quit."};
const LocalizedText kTermHex{"Lines are hex pairs now, sent as they are.",
                             "이제 줄은 16진수 두 자리씩이며 그대로 보냅니다."};
const LocalizedText kTermText{"Lines are text now, sent with \\r\\n.",
                              "이제 줄은 텍스트이며 \\r\\n과 함께 보냅니다."};
const LocalizedText kTermLogging{"Logging to %s.", "%s에 기록합니다."};
const LocalizedText kTermUnknown{"%s: the commands are :hex, :text, :log FILE and :quit.",
                                 "%s: 명령은 :hex, :text, :log FILE, :quit 입니다."};
const LocalizedText kLabelPrinted{"Configuration label sent in %s (%d bytes).",
                                  "설정 라벨을 %s로 보냈습니다 (%d바이트)."};
const LocalizedText kLabelInEnglish{
    "The label is printed in English: none of the printer's code pages carries Korean.",
    "라벨은 영어로 인쇄됩니다: 프린터의 코드 페이지에는 한국어가 없습니다."};
const LocalizedText kFileUnwritable{"Cannot write %s.", "%s에 쓸 수 없습니다."};
const LocalizedText kNotJson{"%s is not JSON: %s", "%s은(는) JSON이 아닙니다: %s"};
const LocalizedText kNotAProfile{
    "%s is not a Tarvek profile (\"tarvek-profile\": 1 is missing).",
    "%s은(는) Tarvek 프로파일이 아닙니다 (\"tarvek-profile\": 1 없음)."};
const LocalizedText kUnknownGroup{
    "\"%s\": no such group; groups: printer, bluetooth, serial, wifi.",
    "\"%s\": 없는 그룹입니다. 그룹: printer, bluetooth, serial, wifi."};
const LocalizedText kWrongType{"%s: must be a text or a whole number (a group: an object).",
                               "%s: 문자열이나 정수여야 합니다 (그룹은 객체)."};
const LocalizedText kNoUnits{"%s has no header line with keys, or no rows.",
                             "%s에 키가 있는 머리글 행이나 데이터 행이 없습니다."};
const LocalizedText kBadUnitsRow{"the row has more cells than the header has keys.",
                                 "행의 칸이 머리글의 키보다 많습니다."};
const LocalizedText kOpenQuote{"a cell opens a quote (\") that nothing after it closes.",
                               "따옴표(\")로 시작한 칸이 끝까지 닫히지 않았습니다."};
const LocalizedText kWepKeyNeedsWep{
    "%s needs wifi.encryption=40-bit or 104-bit beside it (the key's size).",
    "%s에는 wifi.encryption=40-bit 또는 104-bit이 함께 필요합니다 (키 크기)."};
const LocalizedText kWepKeyWrongSize{
    "%s does not fit %s: 10 hex digits or up to 5 characters for 40-bit, 26 hex digits or up to "
    "13 characters for 104-bit.",
    "%s이(가) %s에 맞지 않습니다: 40-bit는 16진수 10자리 또는 5자 이하, 104-bit는 16진수 "
    "26자리 또는 13자 이하."};
const LocalizedText kFixedByEncryption{
    "%s: with wifi.encryption=%s the module always keeps %s.",
    "%s: wifi.encryption=%s에서는 모듈이 항상 %s을(를) 저장합니다."};
const LocalizedText kWpaWithoutAuth{
    "wifi.wpa.auth: wifi.encryption=wpa needs wpa-psk or wpa2-psk.",
    "wifi.wpa.auth: wifi.encryption=wpa에는 wpa-psk 또는 wpa2-psk가 필요합니다."};
const LocalizedText kMinutesNeedMode{"power-save.minutes needs power-save beside it.",
                                     "power-save.minutes에는 power-save가 함께 필요합니다."};
const LocalizedText kCodePageNeedsEscPos{
    "code-page: the printer is in CPCL; a code page is set in ESC/POS only.",
    "code-page: 프린터가 CPCL입니다. 코드 페이지는 ESC/POS에서만 설정합니다."};
const LocalizedText kLineFixedInCpcl{
    "%s: a CPCL printer is not told data bits or flow control; they stay as the line given "
    "(--data-bits, --flow).",
    "%s: CPCL 프린터에는 데이터 비트와 흐름 제어를 보내지 않습니다. 주어진 통신 설정"
    "(--data-bits, --flow) 그대로입니다."};
const LocalizedText kWpaNotOffered{"wifi.encryption: this Wi-Fi module is WEP only.",
                                   "wifi.encryption: 이 Wi-Fi 모듈은 WEP 전용입니다."};
// The module holds a mode, channel, encryption, key or authentication that no list offers, and
// the settings do not replace it (the dialog asks to choose a value from the list).
const LocalizedText kModuleValueUnlisted{
    "The Wi-Fi module holds a mode, channel, encryption, key number or authentication that is "
    "no allowed value; give that key (\"tarvek-cli show --wifi\" shows which).",
    "Wi-Fi 모듈에 허용되지 않는 모드, 채널, 암호화, 키 번호 또는 인증 값이 있습니다. 해당 키를 "
    "지정하세요 (\"tarvek-cli show --wifi\"로 확인)."};
const LocalizedText kInFile{"%s: ", "%s: "};
const LocalizedText kInLine{"%s, line %d: ", "%s, %d번째 줄: "};

const LocalizedText kAllowedRange{"%d to %d", "%d ~ %d"};
const LocalizedText kAllowedCodePage{"a code-page name (CP_437, CP_850, ...) or its number 0 to %d",
                                     "코드 페이지 이름 (CP_437, CP_850, ...) 또는 번호 0 ~ %d"};
const LocalizedText kAllowedAddress{"a dotted address such as 192.168.0.10",
                                    "192.168.0.10 같은 점으로 구분한 주소"};
const LocalizedText kAllowedText{"up to %d bytes without control characters",
                                 "제어 문자 없이 %d바이트 이하"};
const LocalizedText kAllowedPin{"1 to %d bytes without quotes or control characters",
                                "따옴표나 제어 문자 없이 1 ~ %d바이트"};
const LocalizedText kAllowedPassphrase{"%d to %d printable ASCII characters",
                                       "인쇄 가능한 ASCII 문자 %d ~ %d자"};
const LocalizedText kAllowedWepKey{
    "10 or 26 hex digits, or up to 5 or 13 characters (40-bit or 104-bit)",
    "16진수 10자리 또는 26자리, 또는 5자나 13자 이하 (40-bit 또는 104-bit)"};
const LocalizedText kSecretMark{"secret", "비밀 값"};

}  // namespace tarvek::cli::text
