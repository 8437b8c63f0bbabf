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

echo "== send and report --print in both emulations"
line=(--baud 38400 --stop-bits 2 --port "$port")
check "send prints the emulation answer" runs 0 "$work/send.txt" send --hex "1C 45 43" "${line[@]}"
check "in hex and text" grep -q " ms 00 .*|.|$" "$work/send.txt"
check "ISP entry without --force sends nothing" runs 2 "$work/isp.txt" send --hex "1B 5B 4D 01" "${line[@]}"
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
mute="$(free_port)"
python3 -c "import socket, time; s = socket.socket(); s.bind(('127.0.0.1', $mute)); s.listen()
c = s.accept(); time.sleep(30)" &
mute_pid=$!
poll 10 python3 -c "import socket; socket.create_connection(('127.0.0.1', $mute)).close()"
check "a listener that never answers exits 4" runs 4 "$work/net-mute.txt" show --port "tcp:127.0.0.1:$mute"
kill "$mute_pid"
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
check "the simulator refuses an option: a usage error" bash -c "timeout 5 '$sim' --bogus 2>/dev/null; test \$? = 2"
stop_printer

# bench <name> [options of printer 2...]: three printers on $work/<name>1..3, by address ...:0N
bench() {
    local name="$1" n
    shift
    bench_pids=()
    for n in 1 2 3; do
        "$sim" --symlink "$work/$name$n" --state "$work/$name$n.txt" --baud 19200 \
            --bt-address "00:19:01:00:00:0$n" $([[ $n == 2 ]] && echo "$@") </dev/null >>"$work/sim.out" 2>&1 &
        bench_pids+=($!)
        poll 10 test -e "$work/$name$n"
    done
}
echo "== the station on three ports at once; then printer 2 goes silent mid-apply"
printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}, "printer": {"code-page": "CP_850"}}\n' >"$work/ok.json"
cp "$work/ok.json" "$work/silent.json"
printf 'bluetooth.address,bluetooth.pin\n00:19:01:00:00:03,3333\n00:19:01:00:00:01,1111\n00:19:01:00:00:02,2222\n' >"$work/ok.csv"
cp "$work/ok.csv" "$work/silent.csv"
for run in ok silent; do
    bench "$run" $([[ $run == silent ]] && echo --silent-after 4)
    want=$([[ $run == ok ]] && echo 0 || echo 1)
    check "$run: the station ends by itself, exit $want" runs "$want" "$work/$run.out" apply --each \
        "$work/$run.json" --units "$work/$run.csv" --audit "$work/$run.jsonl" --junit "$work/$run.xml" \
        --wait 2 --operator tech1 --port "$work/${run}1" --port "$work/${run}2" --port "$work/${run}3"
    kill "${bench_pids[@]}"
    wait "${bench_pids[@]}" 2>/dev/null || true
done
sha=$(sha256sum "$work/ok.json" | cut -d' ' -f1)
check "each printer holds its own row" bash -c "for n in 1 2 3; do grep -qx bt_pin=\$n\$n\$n\$n '$work/ok'\$n.txt || exit 1; done"
check "three audit lines, each by its printer's row, no secret" python3 -c "
import json, sys
recs = [json.loads(l) for l in open('$work/ok.jsonl')]
ok = len(recs) == 3 and all(r['result'] == 'ok' and r['operator'] == 'tech1' and r['profile_sha256'] == '$sha'
    and r['units_line'] == {1: 3, 2: 4, 3: 2}[int(r['bluetooth.address'][-1])]
    and r['port'].endswith('ok' + r['bluetooth.address'][-1]) for r in recs)
sys.exit(0 if ok and '1111' not in open('$work/ok.jsonl').read() else 1)"
check "a printer gone mid-apply fails its row alone" bash -c "grep -qx bt_pin=1111 '$work/silent1.txt' &&
    grep -qx bt_pin=3333 '$work/silent3.txt' && ! grep -qx bt_pin=2222 '$work/silent2.txt' &&
    grep -q 'silent2: Unit 1 (00:19:01:00:00:02): FAILED' '$work/silent.out' &&
    grep -q 'rows on lines 4.' '$work/silent.out' && grep -q 'failures=\"1\"' '$work/silent.xml'"
echo "== Ctrl-C while three workers save: each module leaves ISP mode, no register half-written"
bench ctrlc
printf '{"tarvek-profile": 1, "wifi": {"ssid": "ctrl-c"}}\n' >"$work/ctrlc.json"
"$cli" apply --each "$work/ctrlc.json" --wait 60 --port "$work/ctrlc1" --port "$work/ctrlc2" \
    --port "$work/ctrlc3" >"$work/ctrlc.out" 2>&1 &
cli_pid=$!
unflashed() { ! diff -q <(grep ^working "$1" | cut -d= -f2) <(grep ^flash "$1" | cut -d= -f2) >/dev/null; }
check "three workers are mid-save" poll 60 eval "unflashed '$work/ctrlc1.txt' &&
    unflashed '$work/ctrlc2.txt' && unflashed '$work/ctrlc3.txt'"
kill -INT "$cli_pid"
status=0
wait "$cli_pid" || status=$?
check "Ctrl-C ends the station: exit 130" test "$status" = 130
export -f unflashed
check "every module's working registers are its flash again" bash -c "! unflashed '$work/ctrlc1.txt' &&
    ! unflashed '$work/ctrlc2.txt' && ! unflashed '$work/ctrlc3.txt'"
kill "${bench_pids[@]}"
wait "${bench_pids[@]}" 2>/dev/null || true
((failures == 0)) || { echo "cli_test: $failures check(s) failed (work: $work)"; exit 1; }
echo "cli_test (native): all checks passed"
