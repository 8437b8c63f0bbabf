#!/usr/bin/env bash
# The station on N ports against N simulated printers on ptys, one Wi-Fi profile each:
#   bench/station_ports.sh <native build> N
# Starts the printers, runs "tarvek-cli apply --each" over all N ports until every unit row is
# provisioned, and ends them. Compare 3 ports with 1 (the ratio is the parallel station's cost):
#   farm-bench -n 3 --timeout 600 --vs 'bench/station_ports.sh build/native 1' \
#       -- bench/station_ports.sh build/native 3
set -euo pipefail
build="$(realpath "$1")"
count="$2"
work="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
printf '{"tarvek-profile": 1, "wifi": {"ssid": "bench", "channel": 3}}\n' >"$work/profile.json"
echo "bluetooth.address,wifi.ip" >"$work/units.csv"
ports=()
for n in $(seq 1 "$count"); do
    "$build/tools/tarvek-printer-sim" --symlink "$work/p$n" --baud 19200 \
        --bt-address "00:19:01:00:00:$(printf %02d "$n")" </dev/null >/dev/null 2>&1 &
    pids+=($!)
    echo "00:19:01:00:00:$(printf %02d "$n"),10.0.0.$n" >>"$work/units.csv"
    ports+=(--port "$work/p$n")
    for _ in $(seq 50); do [[ -e "$work/p$n" ]] && break; sleep 0.1; done
done
"$build/src/cli/tarvek-cli" apply --each "$work/profile.json" --units "$work/units.csv" \
    --wait 30 "${ports[@]}" >/dev/null
