# Helpers of the scripts that run the whole program against the simulated printer (sourced):
# the run's start and end, the dialog through the window tool, the simulator, and the clean-up
# of everything the test started. The checks and bounded waits are tests/e2e/script_checks.sh.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
source "$root/tests/e2e/script_checks.sh"

# The dialogs' control IDs (IDC_..., IDOK: Exit) as variables, from their resource header.
eval "$(sed -n 's/^#define \(IDC_[A-Z0-9_]*\|IDOK\) \([0-9]*\)$/\1=\2/p' "$root/src/res/resource.h")"

keep_work=0
# The limit of the whole run in seconds (TARVEK_WATCHDOG sets another).
watchdog_seconds=${TARVEK_WATCHDOG:-300}
watchdog_pid=""

# Sends this script TERM when the run takes longer than watchdog_seconds.
start_watchdog() {
    # One-second sleeps: killing the loop leaves no long sleep behind.
    (
        for ((i = 0; i < watchdog_seconds; i++)); do sleep 1; done
        kill -TERM $$
    ) </dev/null >/dev/null 2>&1 &
    watchdog_pid=$!
}

# begin_run <name> <tarvek.exe> <window_tool.exe> <native build folder> <wine prefix> <output>
# Skips the test (77) when the native build lacks tools/tarvek-printer-sim or
# tools/libpty_modem_lines.so; re-runs it under an X display when there is none. COM1 names a
# fixed symlink that each simulator run points at its own pty: Wine opens the path afresh on
# every CreateFile, so the printer can be replaced while the program runs, and the Wine server
# is restarted once only (with Wine's own desktop window, which draws the captions).
begin_run() {
    [[ -n "${DISPLAY:-}" ]] || exec "$root/tools/with-display" "$0" "${@:2}"
    name="$1" exe="$(realpath "$2")" tool_exe="$(realpath "$3")" prefix="$(realpath -m "$5")"
    sim="$(realpath -m "$4")/tools/tarvek-printer-sim"
    shim="$(realpath -m "$4")/tools/libpty_modem_lines.so"
    for f in "$sim" "$shim"; do
        [[ -e "$f" ]] || { echo "SKIP: $f is missing (build the native tree)"; exit 77; }
    done
    out="$(realpath -m "$6")"
    mkdir -p "$out"
    work="$(mktemp -d "$out/run.XXXXXX")" failures=0 app="" sim_pid=""
    export WINEPREFIX="$prefix"
    trap cleanup EXIT
    # The whole run is bounded too, below ctest's limit, so the clean-up always runs.
    trap 'echo "$name: stopped after ${watchdog_seconds}s"; keep_work=1; exit 1' TERM
    start_watchdog
    wine_run reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/printer" /f >/dev/null 2>&1
    wine_desktop
}
# Starts tarvek.exe with the modem-line shim (a pty has none).
start_program() {
    LD_PRELOAD="$shim" "$root/tools/wine-run" --prefix "$prefix" "$exe" </dev/null \
        >"$work/app.log" 2>&1 &
    app=$!
}
end_run() {
    echo
    if ((failures)); then
        echo "$name: $failures check(s) failed (simulator log and state in $work)"
        # The printer's last traffic and the windows now: CI shows the output only.
        tail -n 12 "$work/traffic.log" 2>/dev/null
        echo "      $title: $(tool state "$title"); box: $(tool box-text "$title" 0 | tr '\n' ' ')"
        keep_work=1
        exit 1
    fi
    echo "$name: all checks passed"
}

# A window tool that could not run posted nothing: it runs once more (the dialog's own failures
# still show, in the checks that follow).
press() {
    tool press "$title" "$1" || { echo "      press $1: window tool failed"; tool press "$title" "$1"; }
}
is_enabled() { [[ "$(tool enabled "$title" "$1")" == enabled ]]; }
text_is() { [[ "$(tool text "$title" "$1")" == "$2" ]]; }
text_becomes() { poll "$3" text_is "$1" "$2"; }
enabled_becomes() { poll "$2" is_enabled "$1"; }
# No message box over the main dialog (one would be a refusal or an error).
no_message_box() {
    local box
    if box="$(tool box-text "$title" 1500)"; then
        echo "      unexpected message box: ${box//$'\n'/: }"
        return 1
    fi
    return 0
}
# Reads and answers (OK) a message box if the last step showed one.
answer_message_box() {
    local box
    if box="$(tool box-text "$title" 2000)"; then
        echo "      message box: ${box//$'\n'/: } (OK)"
        tool box-ok "$title"
        poll 10 no_box_now
    fi
}
no_box_now() { ! tool box-text "$title" 0 >/dev/null; }
state_value() { sed -n "s/^$1=//p" "$work/state.txt" 2>/dev/null | head -n 1; }
state_becomes() { poll "$3" state_is "$1" "$2"; }
state_is() { [[ "$(state_value "$1")" == "$2" ]]; }
log_count() { grep -Ec "^ *[0-9]+ $1 " "$work/traffic.log" 2>/dev/null || true; }
log_count_above() { (($(log_count "$1") > $2)); }

# printer_on <emulation>: the simulator keeping its state in $work/state.txt (a state file
# already there wins). A pty carries the bytes at once, so the simulator answers as late as a
# printer on a real line would: after the purge that follows each of the link's writes, also on
# a busy machine.
printer_on() { start_printer "$work/state.txt" --emulation "$1" --late 25; }
cleanup() {
    if [[ -n "$app" ]] && alive "$app"; then
        kill "$app" 2>/dev/null
    fi
    # The prefix is the test's own: end what is left of the program in it.
    bounded 30 wineserver -k >/dev/null 2>&1
    stop_printer
    if [[ -n "$watchdog_pid" ]]; then
        kill "$watchdog_pid" 2>/dev/null
    fi
    ((keep_work)) || rm -rf "$work"
}
