#!/usr/bin/env bash
# Runs a Windows test program under Wine with COM1 and COM12 on the pseudo-terminal of
# tarvek-link-pty-peer, whose traffic and line-state files it names in TARVEK_PEER_TRAFFIC and
# TARVEK_PEER_STATE:  run_with_pty_peer.sh NATIVE_TOOLS_DIR PREFIX WORK_DIR program.exe [args]
# Wine reads its port mapping when the prefix's server starts, so the server is restarted after
# the mapping is written; the modem-line shim is preloaded (a pty has no modem lines).
set -euo pipefail
tools="$(realpath "$1")" prefix="$(realpath -m "$2")" work="$(realpath -m "$3")"
shift 3
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
for f in "$tools/tarvek-link-pty-peer" "$tools/libpty_modem_lines.so"; do
    [[ -e "$f" ]] || { echo "missing $f: build the native tree first" >&2; exit 1; }
done
mkdir -p "$work"
export TARVEK_PEER_TRAFFIC="$work/traffic.bin" TARVEK_PEER_STATE="$work/line-state.txt"
rm -f "$TARVEK_PEER_STATE" "$work/pty-path"
: >"$TARVEK_PEER_TRAFFIC"
# The peer ends with this script (it watches its parent).
"$tools/tarvek-link-pty-peer" --traffic "$TARVEK_PEER_TRAFFIC" --state "$TARVEK_PEER_STATE" \
    >"$work/pty-path" 2>/dev/null </dev/null &
trap "kill $! 2>/dev/null || true" EXIT
for _ in $(seq 100); do [[ -s "$work/pty-path" ]] && break || sleep 0.05; done
pty="$(head -n1 "$work/pty-path")"
[[ -n "$pty" ]] || { echo "the pty peer did not start" >&2; exit 1; }

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
wine_run() { "$root/tools/wine-run" --prefix "$WINEPREFIX" "$@" </dev/null >/dev/null 2>&1 9>&-; }
(
    flock 9
    for port in COM1 COM12; do
        wine_run reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$pty" /f
    done
    wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
    # The restarted server's first program starts Wine's services, which outlive it and keep
    # its output open: a quiet first program, so the caller's pipes are not held.
    wine_run reg query 'HKLM\Software\Wine\Ports' || true
) 9>"$WINEPREFIX.ports.lock"
LD_PRELOAD="$tools/libpty_modem_lines.so" "$root/tools/wine-run" --prefix "$WINEPREFIX" "$@"
