#!/usr/bin/env bash
# tarvek-cli's Bluetooth verbs and "bt:" ports against a BlueZ stand-in on a private bus, the
# printer behind it being tarvek-printer-sim on a pty:
#   bluetooth_test.sh native <tarvek-cli> <native build> <work folder>
# Skipped (77) without dbus-daemon, Python's dbus and GLib bindings, or the simulator.
bt_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$bt_here/../cli/cli_test_lib.sh"
python=""
for p in /usr/bin/python3 python3; do
    if "$p" -c "import dbus, gi.repository.GLib" 2>/dev/null; then python="$p"; break; fi
done
command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon missing (tools/setup installs it)"; exit 77; }
[[ -n "$python" ]] || { echo "SKIP: python3-dbus or python3-gi missing (tools/setup installs them)"; exit 77; }
bus_pid=""
standin_pid=""
station_pids=()
trap 'kill ${station_pids[*]} $standin_pid $bus_pid 2>/dev/null; cleanup' EXIT
with_env() { (export "$1" && shift && "$@"); }  # with_env <NAME=value> <command...>
device_is() {  # device_is <address> <condition on dev>: after a scan
    runs 0 "$work/scan.json" bluetooth scan --seconds 1 --json &&
        json_is "$work/scan.json" "[dev for dev in d['devices'] if dev['address'] == '$1' and ($2)]"
}

dbus-daemon --config-file="$bt_here/bus.conf" --fork --print-address=3 --print-pid=4 \
    3>"$work/bus.address" 4>"$work/bus.pid"
bus_pid="$(cat "$work/bus.pid")"
export DBUS_SYSTEM_BUS_ADDRESS="$(cat "$work/bus.address")"
printer=00:11:22:33:44:55
check "unpair before BlueZ is on the bus says so" eval 'runs 3 "$work/nobluez.txt" bluetooth unpair $printer && grep -q "No Bluetooth service" "$work/nobluez.txt"'
start_printer "$work/state.txt" --baud 19200 --pin 1234
station=()  # the station's printers 00:19:01:00:00:0N on $work/sN, factory PIN 0000
for n in 1 2 3; do
    "$sim" --symlink "$work/s$n" --state "$work/s$n.txt" --baud 19200 </dev/null >>"$work/sim.out" 2>&1 &
    station_pids+=($!)
    poll 10 test -e "$work/s$n"
    station+=(--printer 00:19:01:00:00:0$n "$work/s$n" "$work/s$n.txt")
done
"$python" "$bt_here/bluez_standin.py" --printer $printer "$work/printer" "$work/state.txt" \
    "${station[@]}" >"$work/standin.out" 2>&1 &
standin_pid=$!
poll 10 dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.bluez / \
    org.freedesktop.DBus.ObjectManager.GetManagedObjects >/dev/null 2>&1

echo "== scan, pair, reach the printer, unpair"
check "scan lists the printer with a serial port" device_is $printer "dev['serial'] and not dev['paired']"
check "pair with a wrong PIN is refused" with_env TARVEK_BT_PIN=9999 \
    runs 1 "$work/wrong.txt" bluetooth pair $printer
check "the printer stays unpaired" device_is $printer "not dev['paired']"
check "pair with the right PIN" with_env FACTORY_PIN=1234 \
    runs 0 "$work/pair.txt" bluetooth pair ${printer,,} --pin-env FACTORY_PIN
check "the printer is paired and trusted" device_is $printer "dev['paired'] and dev['trusted']"
check "detect finds it" runs 0 "$work/detect.txt" detect --port bt:$printer
check "show --json over bt:" runs 0 "$work/show.json" show --json --port bt:$printer
check "show reads the printer" json_is "$work/show.json" "d['settings']['emulation'] == 'escpos'"
printf '{"tarvek-profile": 1, "bluetooth": {"discoverable": "off"}}\n' >"$work/profile.json"
check "profile apply over bt:" runs 0 "$work/apply.txt" profile apply "$work/profile.json" \
    --port bt:$printer
check "the printer took the profile" grep -qx discoverable=off "$work/state.txt"
echo "== the connection cut after 700 bytes of a Wi-Fi save (before its flash step)"
grep ^flash "$work/state.txt" >"$work/flash.old"
dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.bluez / \
    org.tarvek.Test.CutAfter uint32:700 >/dev/null
check "the cut save fails" runs 4 "$work/cut.txt" set wifi.ssid=cut-floor --port bt:$printer
check "naming its step" grep -q "(step: wifi write)" "$work/cut.txt"
check "the flash is the old one, whole" bash -c "grep ^flash '$work/state.txt' |
    cmp -s - '$work/flash.old'"
check "unpair" runs 0 "$work/unpair.txt" bluetooth unpair $printer
check "show after unpair fails" runs 3 "$work/unpaired.txt" show --port bt:$printer
echo "== the cable-free station: three printers by address, a fourth out of range; Ctrl-C"
printf 'bluetooth.address,bluetooth.pin\n00:19:01:00:00:03,3333\n00:19:01:00:00:01,1111\n00:19:01:00:00:02,2222\n00:19:01:00:00:09,9999\n' >"$work/units.csv"
check "the station provisions the three in range" with_env FACTORY=0000 runs 1 "$work/station.out" \
    apply --each "$work/profile.json" --port bt:units --units "$work/units.csv" --pin-env FACTORY \
    --audit "$work/audit.jsonl" --wait 2
check "each printer holds its row's PIN" bash -c "for n in 1 2 3; do grep -qx bt_pin=\$n\$n\$n\$n '$work/s'\$n.txt &&
    grep -qx discoverable=off '$work/s'\$n.txt || exit 1; done"
check "four audit records, the one out of range failed" python3 -c "import json, sys
recs = [json.loads(l) for l in open('$work/audit.jsonl')]
sys.exit([r['result'] for r in recs] != ['ok'] * 3 + ['failed'] or recs[3]['step'] != 'port')"
check "no PIN in any output" bash -c "! grep -e 0000 -e 1111 -e 2222 -e 3333 -e 9999 '$work/station.out' '$work/audit.jsonl'"
printf '{"tarvek-profile": 1, "wifi": {"ssid": "ctrl-c"}}\n' >"$work/wifi.json"
FACTORY=0000 "$cli" apply --each "$work/wifi.json" --port bt:units --units "$work/units.csv" \
    --pin-env FACTORY --wait 2 >"$work/ctrlc.out" 2>&1 &
cli_pid=$!
unflashed() { ! diff -q <(grep ^working "$1" | cut -d= -f2) <(grep ^flash "$1" | cut -d= -f2) >/dev/null; }
check "the first printer is mid-save" poll 60 unflashed "$work/s3.txt"
kill -INT "$cli_pid"
status=0
wait "$cli_pid" || status=$?
check "Ctrl-C ends the station: exit 130" test "$status" = 130
check "the module's working registers are its flash again" eval "! unflashed '$work/s3.txt'"
check "no agent or profile left registered" bash -c "dbus-send --bus='$DBUS_SYSTEM_BUS_ADDRESS' \
    --print-reply --dest=org.bluez / org.tarvek.Test.Held | grep -q 'uint32 0'"
finish bluetooth_test
