#!/usr/bin/env bash
# The whole program under Wine: a plain start (registry entries, the main dialog, the About box
# from the system menu, Exit), the automation server with a cscript client (keep-alive, Exit
# hides, letting go), and a client that starts the program itself (-Embedding). The Korean
# dialogs are the win32 tier's, which runs them under code page 949.
#   program_test.sh <tarvek.exe> <window_tool.exe> <wine prefix> <output folder>
# The prefix is the test's own (it is set to show Wine's desktop window). Screenshots go to the
# output folder. Needs an X display (re-runs itself under one).
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
if [[ -z "${DISPLAY:-}" ]]; then
    exec "$root/tools/with-display" "$0" "$@"
fi
exe="$(realpath "$1")"
tool_exe="$(realpath "$2")"
prefix="$(realpath -m "$3")"
out="$(realpath -m "$4")"
mkdir -p "$out"
work="$(mktemp -d "$out/run.XXXXXX")"
title="Veltrin Mobile Label Printer Utiltiy 1.40"
failures=0
pids=()

# Each program instance of a case runs under the Wine calls' time limit: a hung one fails its
# checks instead of holding the whole test.
wine_seconds=90
source "$root/tests/e2e/script_checks.sh"
window_state_is() { [[ "$(tool state "$1")" == "$2" ]]; }
reg_value() { wine_run reg query "$1" /ve 2>/dev/null | tr -d '\r' | grep -i 'REG_SZ'; }
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    # The prefix is the test's own: end whatever is left in it, so nothing outlives the test.
    WINEPREFIX="$prefix" timeout 30 wineserver -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
# client <attached marker> [<release marker>]: the cscript client, in the foreground.
client() {
    local args=()
    for file in "$@"; do
        args+=("$(winpath "$file")")
    done
    wine_run cscript //nologo "$(winpath "$here/client.vbs")" "${args[@]}" >>"$work/client.log" 2>&1
}
# Waits until the client says it holds its object.
wait_attached() {
    for _ in $(seq 1 300); do
        [[ -e "$work/attached" ]] && return 0
        sleep 0.1
    done
    return 1
}
clsid='{45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}'

wine_desktop

echo "== plain start"
wine_run reg delete 'HKCR\Tarvek.Application' /f >/dev/null 2>&1
wine_run reg delete "HKCR\\CLSID\\$clsid" /f >/dev/null 2>&1
wine_run "$exe" &
app=$!
pids+=("$app")
check "main dialog shown" tool wait-shown "$title" 30000
check "ProgID names the class" bash -c "[[ \"\$1\" == *\"$clsid\"* ]]" _ "$(reg_value 'HKCR\Tarvek.Application\CLSID')"
check "class names its ProgID" bash -c '[[ "$1" == *Tarvek.Application* ]]' _ "$(reg_value "HKCR\\CLSID\\$clsid\\ProgID")"
check "local server is this program" bash -c '[[ "${1,,}" == *tarvek.exe* ]]' _ "$(reg_value "HKCR\\CLSID\\$clsid\\LocalServer32")"
screenshot program_main_dialog.png
tool syscommand "$title" 16
check "About box opens from the system menu" tool wait-shown "About Tarvek" 10000
screenshot program_about_box.png
tool press "About Tarvek" 1
check "About box's OK closes it" tool wait-gone "About Tarvek" 10000
check "main dialog stays" window_state_is "$title" visible
tool press "$title" 1
check "Exit ends the program" ends_within "$app" 20

echo "== automation: a client keeps the program"
wine_run "$exe" /Automation &
app=$!
pids+=("$app")
check "main dialog shown for automation" tool wait-shown "$title" 30000
client "$work/attached" "$work/release" &
client=$!
pids+=("$client")
check "client got its object" wait_attached
tool press "$title" 1
sleep 1
check "Exit hides the dialog while the client holds it" window_state_is "$title" hidden
check "the program keeps running" alive "$app"
touch "$work/release"
check "client lets go" ends_within "$client" 30
check "letting go ends the hidden dialog and the program" ends_within "$app" 20

echo "== automation: after the client let go, Exit ends the program"
wine_run "$exe" /Automation &
app=$!
pids+=("$app")
check "main dialog shown" tool wait-shown "$title" 30000
rm -f "$work/attached"
client "$work/attached"
check "client attached and let go" test -e "$work/attached"
check "dialog still shown" window_state_is "$title" visible
tool press "$title" 1
# The client's release reaches the program over Wine's RPC, which a loaded machine delays.
check "Exit ends the program" ends_within "$app" 60

echo "== a client starts the program (-Embedding)"
rm -f "$work/attached" "$work/release"
client "$work/attached" "$work/release" &
client=$!
pids+=("$client")
check "the started program shows its dialog" tool wait-shown "$title" 30000
check "client got its object" wait_attached
touch "$work/release"
check "client lets go" ends_within "$client" 30
check "dialog still shown after the client" window_state_is "$title" visible
tool press "$title" 1
check "Exit ends the started program" tool wait-gone "$title" 20000

finish program_test
