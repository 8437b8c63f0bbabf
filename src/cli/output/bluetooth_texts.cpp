#include "cli/output/bluetooth_texts.h"

namespace tarvek::cli::text {

const LocalizedText kBtDevice{"%s  %s  (%s, %s)", "%s  %s  (%s, %s)"};
const LocalizedText kBtPairedYes{"paired", "페어링됨"};
const LocalizedText kBtPairedNo{"not paired", "페어링 안 됨"};
const LocalizedText kBtSerialYes{"serial port: use --port bt:ADDRESS",
                                 "시리얼 포트: --port bt:ADDRESS로 사용"};
const LocalizedText kBtSerialNo{"no serial port", "시리얼 포트 없음"};
const LocalizedText kBtNoDevices{"No Bluetooth devices found.", "블루투스 장치를 찾지 못했습니다."};
const LocalizedText kBtPaired{"Paired with %s and trusted it.",
                              "%s과(와) 페어링하고 신뢰하는 장치로 설정했습니다."};
const LocalizedText kBtUnpaired{"Removed the pairing with %s.",
                                "%s과(와)의 페어링을 해제했습니다."};

const LocalizedText kBtNoService{
    "No Bluetooth service answers (on Linux BlueZ on the system bus, on Windows bthprops.cpl).",
    "블루투스 서비스가 응답하지 않습니다 (Linux에서는 시스템 버스의 BlueZ, Windows에서는 "
    "bthprops.cpl)."};
const LocalizedText kBtNoAdapter{"This machine has no Bluetooth adapter that is switched on.",
                                 "이 컴퓨터에 켜진 블루투스 어댑터가 없습니다."};
const LocalizedText kBtNotFound{"The Bluetooth device %s is not in range or not known.",
                                "블루투스 장치 %s이(가) 범위 안에 없거나 알려지지 않았습니다."};
const LocalizedText kBtNotPaired{"The Bluetooth device %s is not paired.",
                                 "블루투스 장치 %s이(가) 페어링되어 있지 않습니다."};
const LocalizedText kBtNoSerial{
    "The Bluetooth device %s offers no serial port: it is not a label printer.",
    "블루투스 장치 %s은(는) 시리얼 포트를 제공하지 않습니다: 라벨 프린터가 아닙니다."};
const LocalizedText kBtRefused{"The Bluetooth device %s refused the pairing or the connection.",
                               "블루투스 장치 %s이(가) 페어링 또는 연결을 거부했습니다."};
const LocalizedText kBtFailed{"Bluetooth failed for the device %s.",
                              "블루투스 장치 %s에서 오류가 났습니다."};

const LocalizedText kDoctorBtPair{
    "doctor: pair it first: tarvek-cli bluetooth pair %s (the PIN in TARVEK_BT_PIN).",
    "doctor: 먼저 페어링하세요: tarvek-cli bluetooth pair %s (PIN은 TARVEK_BT_PIN에)."};
const LocalizedText kDoctorBtPin{
    "doctor: check the printer's PIN in %s (its manual gives the factory PIN) and that the "
    "printer is on and in range.",
    "doctor: %s에 있는 프린터 PIN을 확인하세요 (공장 PIN은 설명서에 있습니다). 프린터 전원과 "
    "거리도 확인하세요."};
const LocalizedText kDoctorBtService{
    "doctor: switch Bluetooth on: on Windows in Settings > Bluetooth; on Linux start the "
    "service (sudo systemctl start bluetooth) and the adapter (bluetoothctl power on).",
    "doctor: 블루투스를 켜세요: Windows에서는 설정 > 블루투스에서, Linux에서는 서비스를 "
    "시작하고 (sudo systemctl start bluetooth) 어댑터를 켜세요 (bluetoothctl power on)."};

}  // namespace tarvek::cli::text
