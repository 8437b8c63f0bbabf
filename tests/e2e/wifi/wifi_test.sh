#!/usr/bin/env bash
# The Wi-Fi dialog of the whole program against tarvek-printer-sim on COM1: Start Wi-Fi
# Settings in tarvek.exe, then one whole session driven through window messages (open, read,
# edit, save, read again, close, open, Escape with the port open). What the module kept is
# read back from the simulator's state file and traffic log.
#   wifi_test.sh <tarvek.exe> <window_tool.exe> <native build folder> <wine prefix> <output>
# (The run's set-up is begin_run in tests/e2e/program/printer_test_lib.sh.)
set -uo pipefail
main="Veltrin Mobile Label Printer Utiltiy 1.40"
title="Wi-Fi Settings Dialog"
source "$(dirname "${BASH_SOURCE[0]}")/../program/printer_test_lib.sh"
begin_run wifi_test "$@"

# box_says <text> <seconds>: a message box over the Wi-Fi dialog says the text; OK closes it.
box_says() {
    local box
    box="$(tool box-text "$title" "$(($2 * 1000))")" || return 1
    echo "      message box: ${box//$'\n'/: }"
    tool box-ok "$title"
    poll 10 no_box_now
    [[ "$(sed -n 2p <<<"$box")" == "$1" ]]
}
flash() { state_value "flash.$1"; }
# The hex image of register index $1 in flash holds $2 at data byte 4 on.
flash_data_is() { [[ "$(flash "$1" | cut -c9-$((8 + ${#2})))" == "$2" ]]; }
# The module was told to leave ISP mode $1 times.
isp_left() { [[ "$(grep -Ec ' host 1B 5B 4D 00$' "$work/traffic.log" 2>/dev/null)" == "$1" ]]; }

echo "== a whole session on a WPA-capable module"
printer_on escpos
start_program
check "main dialog shown" tool wait-shown "$main" 60000
tool press "$main" "$IDC_START_WIFI"
check "Start Wi-Fi Settings shows the Wi-Fi dialog" tool wait-shown "$title" 30000
check "9600 baud selected (the printer's rate)" tool select "$title" "$IDC_WIFI_BAUDRATE" 9600
press "$IDC_WIFI_OPEN_PORT"
check "Get Wi-Fi Information enabled: ISP mode entered" enabled_becomes "$IDC_WIFI_GET" 15
check "Exit and the port list disabled with the port open" \
    bash -c '[[ "$1 $2" == "disabled disabled" ]]' _ "$(tool enabled "$title" 1)" \
    "$(tool enabled "$title" "$IDC_WIFI_PORT")"
press "$IDC_WIFI_GET"
check "the read ends with Read Complete" box_says "Read Complete" 30
check "the MAC address is shown" text_is "$IDC_WIFI_MAC" "00:1d:c9:10:20:30"
check "the factory SSID is shown" text_is "$IDC_WIFI_SSID" tarvek
check "SSID typed" tool type "$title" "$IDC_WIFI_SSID" IEEE
check "IP set" tool ip "$title" "$IDC_WIFI_IP" 10.0.0.100
check "gateway set" tool ip "$title" "$IDC_WIFI_GATEWAY" 10.0.0.1
check "channel 11 chosen" tool select "$title" "$IDC_WIFI_CHANNEL" 11
check "WPA chosen" tool select "$title" "$IDC_WIFI_ENCRYPTION" WPA
check "WPA2 PSK chosen" tool select "$title" "$IDC_WPA_AUTH" "WPA2 PSK"
check "passphrase typed" tool type "$title" "$IDC_WPA_KEY" password
press "$IDC_WIFI_SAVE"
check "the save ends with Write Complete" box_says "Write Complete" 60
check "flash holds the SSID IEEE" flash_data_is 4 "49454545"
check "flash holds IP 10.0.0.100" flash_data_is 0 "0A000064"
check "flash holds gateway 10.0.0.1" flash_data_is 2 "0A000001"
check "flash holds channel 11 with WPA2 PSK and AES" flash_data_is 5 "B18014"
check "flash holds the passphrase" flash_data_is 8 "70617373776F7264"
# IEEE 802.11i-2004 Annex H.4.1: "password" with SSID "IEEE".
check "PSK register holds the Annex H.4 key" flash_data_is 9 \
    "F42C6FC52DF0EBEF9EBB4B90B38A5F902E83FE1B135A70E23AED762E9710A12E"
press "$IDC_WIFI_GET"
check "the second read ends with Read Complete" box_says "Read Complete" 30
check "the read shows the saved SSID" text_is "$IDC_WIFI_SSID" IEEE
check "the read shows the passphrase" text_is "$IDC_WPA_KEY" password
press "$IDC_WIFI_CLOSE_PORT"
check "Close Port leaves ISP mode" poll 10 isp_left 1
check "Open Port enabled after Close Port" enabled_becomes "$IDC_WIFI_OPEN_PORT" 10
press "$IDC_WIFI_OPEN_PORT"
check "the port opens again" enabled_becomes "$IDC_WIFI_GET" 15
check "Escape posted to the Wi-Fi dialog" press 2
check "Escape ends the Wi-Fi dialog" tool wait-gone "$title" 20000
check "Escape with the port open left ISP mode" poll 10 isp_left 2
tool press "$main" "$IDOK"
check "Exit ends the program" ends_within "$app" 20

end_run
