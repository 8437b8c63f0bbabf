# What the tarvek-cli scripts share: their arguments, the work folder, the simulator, and
# "runs" (the tool, bounded, with the exit code it should give).
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
