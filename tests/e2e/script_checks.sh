# The checks and bounded waits every whole-program script uses (sourced). The script sets
# root, prefix, out and tool_exe (the window tool) first (for the simulator: sim and work), and counts failures in "failures".
# Every wait ends: Wine calls run under a time limit (wine_seconds, 60 unless the script sets
# another) and each poll has a number of tries.

# bounded <seconds> <command...>: the command, ended when it takes longer.
bounded() { timeout --kill-after=5 "$@"; }
wine_run() { bounded "${wine_seconds:-60}" "$root/tools/wine-run" --prefix "$prefix" "$@"; }
tool() { wine_run "$tool_exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
check() {  # check <what> <command...>
    local what="$1"
    shift
    if "$@"; then
        echo "PASS  $what"
    else
        echo "FAIL  $what"
        failures=$((failures + 1))
    fi
}
# poll <seconds> <command...>: true once the command is, tried every half second.
poll() {
    local seconds="$1"
    shift
    for _ in $(seq 1 $((seconds * 2))); do
        "$@" && return 0
        sleep 0.5
    done
    return 1
}
# winpath <path>: the path as Wine's programs see it (drive Z is the root).
winpath() { echo "Z:${1//\//\\}"; }
alive() { kill -0 "$1" 2>/dev/null; }
# ends_within <pid> <seconds>
ends_within() { poll "$2" eval "! alive $1"; }
screenshot() {
    import -window root -crop 800x700+0+0 "$out/$1" 2>/dev/null && echo "      screenshot: $out/$1"
}
# wine_desktop: Wine's own desktop window, which draws the dialogs' captions (there is no window
# manager); it is made when the prefix's server starts, so the server restarts with it.
wine_desktop() {
    wine_run reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine_run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x700 /f >/dev/null 2>&1
    WINEPREFIX="$prefix" bounded 30 wineserver -k >/dev/null 2>&1
    WINEPREFIX="$prefix" bounded 30 wineserver -w >/dev/null 2>&1
}
# start_printer <state file> [simulator options...]: the simulator ($sim) on a new pty behind
# $work/printer, appending its traffic to $work/traffic.log; stop_printer ends it.
start_printer() {
    local state="$1"
    shift
    rm -f "$work/printer"
    "$sim" --symlink "$work/printer" --state "$state" --log "$work/traffic.log" "$@" \
        </dev/null >>"$work/sim.out" 2>&1 &
    sim_pid=$!
    poll 10 test -e "$work/printer"
}
stop_printer() {
    [[ -n "${sim_pid:-}" ]] || return 0
    kill "$sim_pid" 2>/dev/null || true
    poll 10 eval "! alive $sim_pid" || kill -9 "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
}
# finish <script name>: the closing verdict; exits 1 when a check failed.
finish() {
    echo
    ((failures == 0)) || { echo "$1: $failures check(s) failed"; exit 1; }
    echo "$1: all checks passed"
}
