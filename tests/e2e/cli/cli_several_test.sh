#!/usr/bin/env bash
# tarvek-cli with several printers at once, natively: printers reached over the network (the
# simulator's raw port, a printer that joins after a Wi-Fi save) and the station on three
# ports (each printer its row, one printer gone mid-apply, Ctrl-C during three saves).
#   cli_several_test.sh native <tarvek-cli> <native build> <work folder>
source "$(dirname "${BASH_SOURCE[0]}")/cli_test_lib.sh"

echo "== over the network: the simulator's raw port, and a printer that joins after a Wi-Fi save"
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
net="tcp:127.0.0.1:$(free_port)"
start_printer "$work/net.txt" --baud 19200 --tcp "${net#tcp:}"
check "show over tcp" runs 0 "$work/net-show.txt" show --port "$net"
printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}}\n' >"$work/net.json"
check "profile apply over tcp" runs 0 "$work/net-apply.txt" profile apply "$work/net.json" --port "$net"
check "the printer took it" grep -qx discoverable=off "$work/net.txt"
check "a closed port exits 3" runs 3 "$work/net-closed.txt" show --port "tcp:127.0.0.1:$(free_port)"
stop_printer
start_printer "$work/join.txt" --baud 19200
printf '{"tarvek-profile": 1, "wifi": {"ip": "127.0.0.2"}}\n' >"$work/join.json"
check "apply --verify-network" runs 0 "$work/join.out" apply "$work/join.json" --verify-network \
    --network-wait 20 --port "$port"
check "reports the printer joined" grep -q "Network: joined after [0-9]* s (the printer answers at tcp:127.0.0.2:9100)" "$work/join.out"

# bench <name> [options of printer 2] [options of printer 3]: three printers on
# $work/<name>1..3, the Nth with the Bluetooth address 00:19:01:00:00:0N
bench() {
    local name="$1" n options=("" "" "${2:-}" "${3:-}")
    bench_pids=()
    for n in 1 2 3; do
        "$sim" --symlink "$work/$name$n" --state "$work/$name$n.txt" --baud 19200 \
            --bt-address "00:19:01:00:00:0$n" ${options[$n]} </dev/null >>"$work/sim.out" 2>&1 &
        bench_pids+=($!)
        poll 10 test -e "$work/$name$n"
    done
}
echo "== the station on three ports: all provisioned; one refuses a register; one goes away"
printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}, "printer": {"code-page": "CP_850"}}\n' >"$work/ok.json"
printf '{"tarvek-profile": 1, "wifi": {"ssid": "bench"}}\n' >"$work/refused.json"
printf '\xef\xbb\xbfbluetooth.address,bluetooth.pin\n00:19:01:00:00:03,3333\n00:19:01:00:00:01,1111\n00:19:01:00:00:02,2222\n' >"$work/ok.csv"
printf 'bluetooth.address,wifi.ip\n00:19:01:00:00:03,10.0.0.3\n00:19:01:00:00:01,10.0.0.1\n00:19:01:00:00:02,10.0.0.2\n' >"$work/refused.csv"
for run in ok refused gone; do
    bench "$run" "$([[ $run == refused ]] && echo --refuse-write 4)" "$([[ $run == gone ]] && echo --silent-after 4)"
    plan=$([[ $run == refused ]] && echo refused || echo ok)  # its profile and units
    check "$run: the station ends by itself" runs "$([[ $run == ok ]] && echo 0 || echo 1)" "$work/$run.out" \
        $([[ $run == ok ]] && echo --json) apply --each "$work/$plan.json" --units "$work/$plan.csv" --audit "$work/$run.jsonl" --junit \
        "$work/$run.xml" --wait 2 --operator tech1 --port "$work/${run}1" --port "$work/${run}2" --port "$work/${run}3"
    kill "${bench_pids[@]}"
    wait "${bench_pids[@]}" 2>/dev/null || true
done
sha=$(sha256sum "$work/ok.json" | cut -d' ' -f1)
check "each printer holds its own row" bash -c "for n in 1 2 3; do grep -qx bt_pin=\$n\$n\$n\$n '$work/ok'\$n.txt || exit 1; done"
check "three audit lines, each by its printer's row, no secret; in JSON each a line, then the sum" python3 -c "
import json, sys
recs = [json.loads(l) for l in open('$work/ok.jsonl')]
out = open('$work/ok.out').read().splitlines()
ok = sorted(out[:3]) == sorted(open('$work/ok.jsonl').read().splitlines()) and json.loads(out[3])['done'] == 3 == len(out) - 1
ok = ok and len(recs) == 3 and all(r['result'] == 'ok' and r['operator'] == 'tech1' and r['profile_sha256'] == '$sha'
    and r['units_line'] == {1: 3, 2: 4, 3: 2}[int(r['bluetooth.address'][-1])]
    and r['port'].endswith('ok' + r['bluetooth.address'][-1]) for r in recs)
sys.exit(0 if ok and '1111' not in open('$work/ok.jsonl').read() else 1)"
check "a refused register fails its row alone" bash -c "grep -q ^flash.0=03000C000A000001 '$work/refused1.txt' &&
    grep -q ^flash.0=03000C000A000003 '$work/refused3.txt' && ! grep -q 0A000002 '$work/refused2.txt' &&
    grep -q 'refused2: Unit 1 (00:19:01:00:00:02): FAILED' '$work/refused.out' &&
    grep -q 'rows on lines 4.' '$work/refused.out' && grep -q 'failures=\"1\"' '$work/refused.xml'"
check "a printer gone mid-apply fails its row alone" bash -c "grep -qx bt_pin=1111 '$work/gone1.txt' &&
    grep -qx bt_pin=2222 '$work/gone2.txt' && ! grep -qx bt_pin=3333 '$work/gone3.txt' &&
    grep -q 'gone3: Unit 1 (00:19:01:00:00:03): FAILED' '$work/gone.out' && grep -q 'rows on lines 2.' '$work/gone.out'"
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
((failures == 0)) || { echo "cli_several_test: $failures check(s) failed (work: $work)"; exit 1; }
echo "cli_several_test: all checks passed"
