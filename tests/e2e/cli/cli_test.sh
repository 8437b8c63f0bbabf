#!/usr/bin/env bash
# tarvek-cli against tarvek-printer-sim on a pty, natively and under Wine (the station loop over
# several printers is the unit tier's, on virtual time):
#   cli_test.sh native <tarvek-cli> <native build> <work folder>
#   cli_test.sh wine   <tarvek-cli.exe> <native build> <work folder>   (Wine's COM1 = the pty)
# The native build holds tools/tarvek-printer-sim (and for Wine tools/libpty_modem_lines.so);
# without them the test is skipped (77). Each printer keeps its state in a file the checks read.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
mode="$1"
cli="$(realpath "$2")"
native="$(realpath -m "$3")"
out="$(realpath -m "$4")"
sim="$native/tools/tarvek-printer-sim"
shim="$native/tools/libpty_modem_lines.so"
[[ -x "$sim" && ( "$mode" == native || -f "$shim" ) ]] || { echo "SKIP: $sim or $shim missing"; exit 77; }
mkdir -p "$out"
work="$(mktemp -d "$out/run.XXXXXX")"
prefix="$out/wineprefix"
failures=0
sim_pid=""
source "$root/tests/e2e/script_checks.sh"

cleanup() {
    stop_printer
    [[ "$mode" == native ]] || bounded 30 wineserver -k >/dev/null 2>&1 || true
    ((failures)) || rm -rf "$work"
}
trap cleanup EXIT
json_is() { python3 -c "import json,sys; d=json.load(open('$1')); sys.exit(0 if $2 else 1)"; }
runs() {  # runs <expected exit> <output file> <tarvek-cli args...>: the tool, bounded
    local want="$1" file="$2" status=0
    shift 2
    if [[ "$mode" == native ]]; then
        bounded 120 "$cli" "$@" >"$file" 2>&1 || status=$?
    else
        LD_PRELOAD="$shim" wine_seconds=120 wine_run "$cli" "$@" >"$file" 2>&1 || status=$?
    fi
    [[ "$status" == "$want" ]] || { echo "      exit $status, wanted $want: $(head -c 600 "$file")"; return 1; }
}
port="$work/printer"
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

echo "== over the network: the simulator's raw port, and a printer that joins after a Wi-Fi save"
stop_printer
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
net="tcp:127.0.0.1:$(free_port)"
start_printer "$work/net.txt" --baud 19200 --tcp "${net#tcp:}"
check "show over tcp" runs 0 "$work/net-show.txt" show --port "$net"
check "set code-page over tcp" runs 0 "$work/net-set.txt" set code-page=CP_850 --port "$net"
printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}}\n' >"$work/net.json"
check "profile apply over tcp" runs 0 "$work/net-apply.txt" profile apply "$work/net.json" --port "$net"
check "the printer took both" bash -c "grep -qx code_page=2 '$work/net.txt' && grep -qx discoverable=off '$work/net.txt'"
heard="$(wc -l <"$work/traffic.log")"
check "a wifi key over tcp exits 2" runs 2 "$work/net-wifi.txt" set wifi.ssid=x --port "$net"
check "with nothing received" test "$(wc -l <"$work/traffic.log")" = "$heard"
check "a closed port exits 3" runs 3 "$work/net-closed.txt" show --port "tcp:127.0.0.1:$(free_port)"
stop_printer
start_printer "$work/join.txt" --baud 19200
printf '{"tarvek-profile": 1, "wifi": {"ip": "127.0.0.2"}}\n' >"$work/join.json"
check "apply --verify-network" runs 0 "$work/join.out" apply "$work/join.json" --verify-network \
    --network-wait 20 --port "$port"
check "reports the printer joined" grep -q "Network: joined after [0-9]* s (the printer answers at tcp:127.0.0.2:9100)" "$work/join.out"

echo "== the simulator's faults and pages from its command line"
stop_printer
start_printer "$work/garbage.txt" --baud 19200 --garbage
check "a scrambled answer is refused" runs 1 "$work/garbage.out" show --port "$port"
stop_printer
start_printer "$work/absent.txt" --baud 19200 --module absent
check "no module answers" runs 4 "$work/absent.out" show --wifi --port "$port"
printf 'page=0,0,80810D0A41\n' >"$work/pages.txt"
check "a page renders through its code page" bash -c "[[ \"\$('$sim' --render-pages --state \
    '$work/pages.txt')\" == \$'--- page 1 (CP_437) ---\\n\\xC3\\x87\\xC3\\xBC\\nA' ]]"
for bad in --bogus --parity "--parity mark" "--baud 14400" "--stop-bits 3" "--mac 00:11" \
    "--module wifi6" "--refuse-read 11" "--answer-form hex" "--discoverable maybe"; do
    check "the simulator refuses $bad: a usage error" bash -c "timeout 5 '$sim' $bad 2>/dev/null; test \$? = 2"
done
stop_printer
((failures == 0)) || { echo "cli_test: $failures check(s) failed (work: $work)"; exit 1; }
echo "cli_test (native): all checks passed"
