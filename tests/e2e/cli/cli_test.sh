#!/usr/bin/env bash
# tarvek-cli against tarvek-printer-sim on a pty, natively and under Wine:
#   cli_test.sh native <tarvek-cli> <native build> <work folder>
#   cli_test.sh wine   <tarvek-cli.exe> <native build> <work folder>   (Wine's COM1 = the pty)
# The native build holds tools/tarvek-printer-sim (and for Wine tools/libpty_modem_lines.so);
# without them the test is skipped (77). Each printer keeps its state in a file the checks read.
# Several printers at once (over the network, the station on several ports) are
# cli_several_test.sh's, which runs beside this one.
source "$(dirname "${BASH_SOURCE[0]}")/cli_test_lib.sh"
if [[ "$mode" == wine ]]; then
    port=COM1
    export WINEPREFIX="$prefix"
    printer_key='HKLM\System\CurrentControlSet\Control\Print\Printers\Label Writer'
    wine_run reg delete "$printer_key" /f >/dev/null 2>&1 || true  # an earlier run's
    wine_run reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/printer" /f >/dev/null 2>&1
    bounded 30 wineserver -k >/dev/null 2>&1 || true
    start_printer "$work/state.txt" --baud 19200 --late 25  # answers after the purge that follows a write
    echo "== Wine: show --wifi and profile apply on COM1"
    check "show --wifi on COM1" runs 0 "$work/show.txt" show --wifi --port COM1
    check "show names the module's address" grep -q "wifi.ip *192.168.0.100" "$work/show.txt"
    printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"},
             "wifi": {"ssid": "wine-floor", "channel": 3}}\n' >"$work/wine.json"
    check "profile apply on COM1" runs 0 "$work/apply.txt" profile apply "Z:$work/wine.json" \
        --port COM1
    check "the printer took the profile" bash -c "grep -qx discoverable=off '$work/state.txt' &&
        grep -q ^flash.4=0901280077696E652D666C6F6F72 '$work/state.txt'"
    check "the printer moves to 9600 baud" runs 0 "$work/baud.txt" set serial.baud=9600 --port COM1
    check "detect finds it there" runs 0 "$work/detect.txt" detect --port COM1
    check "at 9600 baud" grep -q -- "answers at --baud 9600 " "$work/detect.txt"
    check "ports lists COM1" runs 0 "$work/ports.txt" ports
    check "COM1 is a serial port" grep -q "^COM1 " "$work/ports.txt"
    for value in "Name:Label Writer" "Port:COM1:" "Printer Driver:Generic / Text Only"; do
        wine_run reg add "$printer_key" /v "${value%%:*}" /d "${value#*:}" /f >/dev/null 2>&1
    done
    check "ports names the installed printer on COM1" runs 0 "$work/held.txt" ports
    check "as COM1's holder" grep -q 'used by the installed printer "Label Writer"' "$work/held.txt"
    check "show refuses the held port, with advice" runs 3 "$work/refused.txt" show --port COM1
    check "the advice names the printer" grep -q 'doctor: move the installed printer "Label Writer"' \
        "$work/refused.txt"
    ((failures == 0)) || exit 1
    echo "cli_test (wine): all checks passed"
    exit 0
fi

echo "== show, set every key"
start_printer "$work/state.txt" --baud 19200 --bt-address 00:19:01:00:00:01
check "show --wifi --json" runs 0 "$work/show.json" --json show --wifi --port "$port"
check "JSON names the module's settings" json_is "$work/show.json" \
    "d['ok'] and d['settings']['wifi.ip'] == '192.168.0.100' and d['wifi.mac'] == '00:1d:c9:10:20:30'"
export PIN=2468 PASS=floor-pass-1
check "set of every key" runs 0 "$work/set.txt" set --port "$port" \
    power-save=power-off power-save.minutes=15 code-page=CP_850 'bluetooth.pin=${env:PIN}' \
    bluetooth.discoverable=off serial.baud=38400 serial.parity=none serial.data-bits=8 \
    serial.stop-bits=2 serial.flow=dtr wifi.ip=10.1.0.20 wifi.netmask=255.255.0.0 \
    wifi.gateway=10.1.0.1 wifi.dns=10.1.0.2 wifi.ssid=floor-1 wifi.mode=adhoc wifi.channel=11 \
    wifi.encryption=40-bit wifi.key-id=2 wifi.auth=shared-key wifi.wep.key1=0102030405 \
    wifi.wep.key2=abcde wifi.wep.key3=A1B2C3D4E5 wifi.wep.key4=vwxyz wifi.wpa.auth=none \
    wifi.wpa.cipher=none 'wifi.passphrase=${env:PASS}' emulation=cpcl
check "the printer took the line, the emulation and the PIN" bash -c "grep -qx baud=38400 \
    '$work/state.txt' && grep -qx emulation=cpcl '$work/state.txt' && grep -qx bt_pin=2468 '$work/state.txt'"
check "its traffic log holds chunks both ways" bash -c "grep -q ' host 00 00$' '$work/traffic.log' &&
    grep -q ' sim  00$' '$work/traffic.log'"

echo "== restarted, the printer keeps its state (over its options); ports and detect"
kill "$sim_pid"
status=0
wait "$sim_pid" || status=$?
check "the simulator ends cleanly on TERM" test "$status" = 0
start_printer "$work/state.txt" --baud 19200 --answer-form binary
check "ports describes the pty, first" runs 0 "$work/ports.json" --json ports "$port"
check "the pty is listed" json_is "$work/ports.json" "d['ports'][0]['name'] == '$port'"
check "detect finds the line set above" runs 0 "$work/detect.txt" detect --port "$port"
check "at 38400 baud" grep -q -- "answers at --baud 38400 " "$work/detect.txt"

echo "== report --print in both emulations"
line=(--baud 38400 --stop-bits 2 --port "$port")
check "report --print in CPCL" runs 0 "$work/report-cpcl.txt" report --print "${line[@]}"
check "report --print in ESC/POS" bash -c "'$cli' set emulation=escpos ${line[*]} >/dev/null &&
    '$cli' --json report --print ${line[*]} >'$work/report-escpos.json'"
check "report --json has the label and the module" json_is "$work/report-escpos.json" \
    "d['label']['emulation'] == 'escpos' and d['settings']['wifi.ssid'] == 'floor-1' and
    d['wifi.module'] == 'wpa'"
"$sim" --render-pages --state "$work/state.txt" >"$work/pages.out"
check "one label in each emulation" bash -c "grep -qx 'Emulation: cpcl' '$work/pages.out' &&
    grep -qx 'Emulation: escpos' '$work/pages.out'"
for shown in "SSID: floor-1" "IP address: 10.1.0.20" "Bluetooth: 00:19:01:00:00:01" \
    "Wi-Fi MAC: 00:1d:c9:10:20:30" "[QR] 00:19:01:00:00:01"; do
    check "both labels show $shown" test "$(grep -cxF "$shown" "$work/pages.out")" = 2
done
for secret in 2468 floor-pass-1 0102030405 abcde A1B2C3D4E5 vwxyz; do
    hex="$(printf %s "$secret" | od -An -tx1 | tr -d ' \n' | tr a-f A-F)"
    check "no $secret in the labels' bytes or the output" bash -c "grep -q '^page=' '$work/state.txt' &&
        ! grep '^page=' '$work/state.txt' | grep -q '$hex' &&
        test -s '$work/report-escpos.json' && ! grep -q '$secret' '$work'/report-*"
done

echo "== term under tmux: a typed query's answer, :quit"
if command -v tmux >/dev/null; then
    tm=(tmux -L "tarvek-term-$$")
    "${tm[@]}" new-session -d -x 120 -y 30 "'$cli' term ${line[*]} --trace '$work/term.trace';
        echo \$? >'$work/term.exit'; sleep 60"
    screen_has() { "${tm[@]}" capture-pane -p | grep -q "$1"; }
    poll 10 screen_has ":quit"
    "${tm[@]}" send-keys ':hex' Enter '1C 45 43' Enter
    check "the answer shows in hex and text" poll 10 screen_has " ms 01 .*|.|$"
    "${tm[@]}" send-keys ':quit' Enter
    check ":quit leaves cleanly" poll 10 grep -qx 0 "$work/term.exit"
    check "every byte is in the trace" grep -q "printer .* 01  |.|" "$work/term.trace"
    "${tm[@]}" kill-server
else
    echo "SKIP  term: no tmux"
fi
echo "== the simulator's pages and options from its command line"
printf 'page=0,0,80810D0A41\n' >"$work/pages.txt"
check "a page renders through its code page" bash -c "[[ \"\$('$sim' --render-pages --state \
    '$work/pages.txt')\" == \$'--- page 1 (CP_437) ---\\n\\xC3\\x87\\xC3\\xBC\\nA' ]]"
check "the simulator refuses an option: a usage error" bash -c "timeout 5 '$sim' --bogus 2>/dev/null; test \$? = 2"
stop_printer

((failures == 0)) || { echo "cli_test: $failures check(s) failed (work: $work)"; exit 1; }
echo "cli_test (native): all checks passed"
