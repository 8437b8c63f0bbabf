#!/usr/bin/env bash
# Runs a Windows test program under Wine with COM1 and COM12 on a pseudo-terminal:
#   run_with_pty_peer.sh NATIVE_TOOLS_DIR PREFIX WORK_DIR program.exe [args...]
# NATIVE_TOOLS_DIR is the tools/ folder of a native build (tarvek-link-pty-peer and the
# modem-line shim libpty_modem_lines.so).
#
# Wine reads HKLM\Software\Wine\Ports when its device manager starts, that is when the
# prefix's wineserver starts: a value written while the server runs changes nothing until
# it restarts. So the ports are written first, then the server is restarted, then the
# program runs with the shim preloaded (a pty has no modem lines; Wine's SetCommState sets
# DTR and RTS).
set -euo pipefail
[[ -n "${TARVEK_TRACE:-}" ]] && { exec 2>>"$TARVEK_TRACE"; set -x; }
tools="$(realpath "$1")" prefix="$2" work="$(realpath -m "$3")"
shift 3
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
peer="$tools/tarvek-link-pty-peer"
shim="$tools/libpty_modem_lines.so"
for f in "$peer" "$shim"; do
    [[ -e "$f" ]] || { echo "missing $f: build the native tree first" >&2; exit 1; }
done

mkdir -p "$work"
traffic="$work/traffic.bin" state="$work/line-state.txt" path_file="$work/pty-path"
rm -f "$traffic" "$state" "$path_file"
: >"$traffic"

# The peer ends with this script (it watches its parent).
"$peer" --traffic "$traffic" --state "$state" >"$path_file" 2>/dev/null </dev/null &
peer_pid=$!
trap 'kill $peer_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [[ -s "$path_file" ]] && break
    sleep 0.05
done
pty="$(head -n1 "$path_file")"
[[ -n "$pty" ]] || { echo "the pty peer did not start" >&2; exit 1; }

export WINEPREFIX="$(realpath -m "$prefix")" WINEARCH=win64 WINEDEBUG=-all
"$root/tools/wine-prefix" "$WINEPREFIX"
(
    flock 9
    for port in COM1 COM12; do
        "$root/tools/wine-run" --prefix "$WINEPREFIX" reg add 'HKLM\Software\Wine\Ports' \
            /v "$port" /d "$pty" /f </dev/null >/dev/null 2>&1 9>&-
    done
    wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
    # The restarted server's first program starts Wine's services, which outlive it and keep
    # its output open: a quiet first program, so the caller's pipes are not held.
    "$root/tools/wine-run" --prefix "$WINEPREFIX" reg query 'HKLM\Software\Wine\Ports' \
        </dev/null >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.ports.lock"

export TARVEK_PEER_TRAFFIC="$traffic" TARVEK_PEER_STATE="$state"
status=0
LD_PRELOAD="$shim" "$root/tools/wine-run" --prefix "$WINEPREFIX" "$@" || status=$?
exit $status
