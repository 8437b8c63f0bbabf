#include "cli/output/finding_texts.h"

namespace tarvek::cli::text {

const LocalizedText kPortKinds[6] = {
    {"serial port", "시리얼 포트"},
    {"USB serial adapter", "USB 시리얼 어댑터"},
    {"Bluetooth serial port", "블루투스 시리얼 포트"},
    {"USB printer", "USB 프린터"},
    {"other device", "기타 장치"},
    {"no such port", "없는 포트"},
};
const LocalizedText kNoPorts{"No serial port or USB printer found.",
                             "시리얼 포트나 USB 프린터를 찾지 못했습니다."};
const LocalizedText kAlsoNamed{"also %s", "다른 이름 %s"};
const LocalizedText kHeldByPrinter{"used by the installed printer \"%s\" (%s)",
                                   "설치된 프린터 \"%s\"(%s)이(가) 사용 중"};
const LocalizedText kHeldByQueue{"used by the CUPS queue \"%s\" (%s)",
                                 "CUPS 대기열 \"%s\"(%s)이(가) 사용 중"};
const LocalizedText kHeldByProcess{"open in %s (process %d)", "%s(프로세스 %d)에서 열려 있음"};
const LocalizedText kAccessDenied{"this user may not open it (group %s)",
                                  "이 사용자는 열 수 없음 (그룹 %s)"};
const LocalizedText kKernelDriver{"the kernel's %s driver has it until tarvek-cli opens it",
                                  "tarvek-cli가 열기 전까지 커널의 %s 드라이버가 사용 중"};
const LocalizedText kSomeProcessesUnseen{
    "other users' programs could not be looked at; one of them may hold a port",
    "다른 사용자의 프로그램은 확인할 수 없습니다. 그중 하나가 포트를 사용 중일 수 있습니다"};

const LocalizedText kDetectFound{"%s: a printer answers at %s (emulation %s).",
                                 "%s: 프린터가 %s에서 응답합니다 (에뮬레이션 %s)."};
const LocalizedText kDetectNoAnswer{
    "%s: no printer answered at any of %d line settings.",
    "%s: 통신 설정 %d가지 중 어디에서도 프린터가 응답하지 않았습니다."};
const LocalizedText kDetectOpenFailed{"%s: the port does not open.", "%s: 포트가 열리지 않습니다."};
const LocalizedText kDetectSkipped{"%s: not probed, %s.", "%s: 확인하지 않음, %s."};
const LocalizedText kNothingToProbe{
    "No serial port to probe: name one with --port (\"tarvek-cli ports\" lists them).",
    "확인할 시리얼 포트가 없습니다: --port로 지정해 주세요 (\"tarvek-cli ports\"로 목록 보기)."};
const LocalizedText kAutoFound{"Found the printer on %s (%s).", "%s에서 프린터를 찾았습니다 (%s)."};
const LocalizedText kAutoNone{"No printer answered on this machine's ports (probed: %s).",
                              "이 컴퓨터의 포트에서 응답한 프린터가 없습니다 (확인한 포트: %s)."};
const LocalizedText kAutoSeveral{"Printers answer on several ports (%s): name one with --port.",
                                 "여러 포트에서 프린터가 응답합니다 (%s): --port로 하나를 "
                                 "지정해 주세요."};
const LocalizedText kQueueHolds{"The port %s is used by the CUPS queue \"%s\".",
                                "포트 %s을(를) CUPS 대기열 \"%s\"이(가) 사용 중입니다."};

const LocalizedText kDoctorPrinter{
    "doctor: move the installed printer \"%s\" to another port or delete it (Printers & "
    "scanners), or use a port other than %s.",
    "doctor: 설치된 프린터 \"%s\"의 포트를 바꾸거나 프린터를 삭제하세요 (프린터 및 스캐너). "
    "또는 %s 말고 다른 포트를 사용하세요."};
const LocalizedText kDoctorQueue{
    "doctor: remove the CUPS queue \"%s\" (lpadmin -x %s) or point it at another device, then "
    "try again.",
    "doctor: CUPS 대기열 \"%s\"을(를) 지우거나 (lpadmin -x %s) 다른 장치로 바꾼 뒤 다시 "
    "실행하세요."};
const LocalizedText kDoctorProcess{"doctor: %s (process %d) has the port open: close it first.",
                                   "doctor: %s(프로세스 %d)이(가) 포트를 열고 있습니다: 먼저 "
                                   "닫으세요."};
const LocalizedText kDoctorGroup{
    "doctor: this user may not open %s: join the group %s (sudo usermod -aG %s $USER) and log "
    "in again.",
    "doctor: 이 사용자는 %s을(를) 열 수 없습니다: %s 그룹에 가입하고 (sudo usermod -aG %s "
    "$USER) 다시 로그인하세요."};
const LocalizedText kDoctorUsbGroup{
    "doctor: this user may not open the USB printer: the tarvek-cli package's udev rule gives "
    "it to the group lp; join it (sudo usermod -aG lp $USER), log in again and plug the "
    "printer in again.",
    "doctor: 이 사용자는 USB 프린터를 열 수 없습니다: tarvek-cli 패키지의 udev 규칙이 lp "
    "그룹에 권한을 줍니다. lp 그룹에 가입하고 (sudo usermod -aG lp $USER) 다시 로그인한 뒤 "
    "프린터를 다시 연결하세요."};
const LocalizedText kDoctorMissing{
    "doctor: there is no port %s: \"tarvek-cli ports\" lists this machine's ports; pair a "
    "Bluetooth printer first (tarvek-cli bluetooth pair ADDRESS, then --port bt:ADDRESS).",
    "doctor: %s 포트가 없습니다: \"tarvek-cli ports\"로 이 컴퓨터의 포트를 보세요. 블루투스 "
    "프린터는 먼저 페어링하세요 (tarvek-cli bluetooth pair ADDRESS 후 --port "
    "bt:ADDRESS)."};
const LocalizedText kDoctorNoUsb{
    "doctor: no USB printer of this kind is connected: check the cable and that the printer "
    "is on.",
    "doctor: 이 종류의 USB 프린터가 연결되어 있지 않습니다: 케이블과 프린터 전원을 확인하세요."};
const LocalizedText kDoctorBluetooth{
    "doctor: %s is a Bluetooth port: pair the printer first, switch it on and keep it in "
    "range.",
    "doctor: %s은(는) 블루투스 포트입니다: 먼저 프린터를 페어링하고 전원을 켠 뒤 가까이 "
    "두세요."};
const LocalizedText kDoctorPorts{
    "doctor: \"tarvek-cli ports\" shows who holds each port and whether you may open it.",
    "doctor: \"tarvek-cli ports\"로 포트를 누가 사용 중인지, 열 수 있는지 보세요."};
const LocalizedText kDoctorNoAnswer{
    "doctor: check that the printer is on and connected; \"tarvek-cli detect --port %s\" finds "
    "its line settings.",
    "doctor: 프린터 전원과 연결을 확인하세요. \"tarvek-cli detect --port %s\"로 통신 설정을 "
    "찾을 수 있습니다."};
const LocalizedText kDoctorNoAnswerUsb{
    "doctor: check that the printer is on and its USB cable is in.",
    "doctor: 프린터 전원과 USB 케이블을 확인하세요."};

}  // namespace tarvek::cli::text
