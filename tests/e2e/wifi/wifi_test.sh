#!/usr/bin/env bash
# The Wi-Fi dialog under Wine against tarvek-printer-sim on COM1: a whole session (open, read,
# edit, save, read again, Escape with the port open), then saves that the simulator refuses at
# each register. What the module kept is read back from the simulator's state file and traffic
# log.
#   wifi_test.sh <e2e_wifi_session.exe> <native build folder> <wine prefix> <output>
# The native build folder holds tools/tarvek-printer-sim and tools/libpty_modem_lines.so;
# without them the test is skipped (exit 77). Needs an X display (re-runs itself under one).
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
if [[ -z "${DISPLAY:-}" ]]; then
    exec "$root/tools/with-display" "$0" "$@"
fi
exe="$(realpath "$1")"
native="$(realpath -m "$2")"
prefix="$(realpath -m "$3")"
out="$(realpath -m "$4")"
sim="$native/tools/tarvek-printer-sim"
shim="$native/tools/libpty_modem_lines.so"
for f in "$sim" "$shim"; do
    if [[ ! -e "$f" ]]; then
        echo "SKIP: $f is missing (build the native tree that TARVEK_NATIVE_TOOLS_DIR names)"
        exit 77
    fi
done
mkdir -p "$out"
work="$(mktemp -d "$out/run.XXXXXX")"
failures=0
app=""
sim_pid=""
title=""
export WINEPREFIX="$prefix" WINEDEBUG=-all

# The bounded waits, checks, simulator start/stop and clean-up of the program test.
source "$root/tests/e2e/program/printer_test_lib.sh"
trap cleanup EXIT

"$root/tools/wine-prefix" "$prefix" >/dev/null 2>&1
wine_run reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/printer" /f >/dev/null 2>&1
bounded 30 wineserver -k >/dev/null 2>&1
bounded 30 wineserver -w >/dev/null 2>&1

session() {  # session <gtest filter>
    LD_PRELOAD="$shim" bounded 200 "$root/tools/wine-run" --prefix "$prefix" "$exe" \
        --gtest_color=no --gtest_filter="$1" </dev/null >>"$work/session.log" 2>&1
}
flash() { state_value "flash.$1"; }
# The hex image of register index $1 in flash holds $2 at data byte 4 on.
flash_data_is() { [[ "$(flash "$1" | cut -c9-$((8 + ${#2})))" == "$2" ]]; }

echo "== a whole session on a WPA-capable module"
start_printer escpos
check "simulator serves the pty" test -e "$work/printer"
check "dialog session passes (read, save, read again, Escape)" session 'WifiSession.ReadEdit*'
check "flash holds the SSID IEEE" flash_data_is 4 "49454545"
check "flash holds IP 10.0.0.100" flash_data_is 0 "0A000064"
check "flash holds gateway 10.0.0.1" flash_data_is 2 "0A000001"
check "flash holds channel 11 with WPA2 PSK and AES" flash_data_is 5 "B18014"
check "flash holds the passphrase" flash_data_is 8 "70617373776F7264"
# IEEE 802.11i-2004 Annex H.4.1: "password" with SSID "IEEE".
check "PSK register holds the Annex H.4 key" flash_data_is 9 \
    "F42C6FC52DF0EBEF9EBB4B90B38A5F902E83FE1B135A70E23AED762E9710A12E"
check "ISP mode left before the dialog ended" grep -Eq ' host 1B 5B 4D 00$' "$work/traffic.log"
stop_printer
cp "$work/state.txt" "$work/saved.txt"

echo "== saves refused at each register leave the flash as it was"
before="$(grep '^flash\.' "$work/saved.txt")"
for k in 0 1 2 3 4 5 6 7 8 9; do
    # Each run starts from the module as the whole session left it.
    cp "$work/saved.txt" "$work/state.txt"
    start_printer escpos --refuse-write "$k"
    check "save refused at register $k ends with its message" session 'WifiSession.SaveRefused'
    check "flash unchanged after the refusal at register $k" \
        test "$(grep '^flash\.' "$work/state.txt")" = "$before"
    stop_printer
done

echo
if ((failures)); then
    echo "wifi_test: $failures check(s) failed (logs in $work)"
    keep_work=1
    exit 1
fi
echo "wifi_test: all checks passed"
