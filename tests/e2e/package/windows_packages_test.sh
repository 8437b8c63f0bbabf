#!/usr/bin/env bash
# The Windows packages: the version records of both programs of both architectures, and the
# x64 installer under Wine in a fresh prefix (an upgrade over a lower version, what it
# installs, the installed program's automation registration, the uninstaller removing all of
# it). The x86 installer cannot run here; its programs are read from the x86 zip.
#   windows_packages_test.sh <dist> <version> <tarvek-cli.exe> <built|standin> <window_tool.exe>
#                            <version_record.exe> <output folder>
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
[[ -n "${DISPLAY:-}" ]] || exec "$root/tools/with-display" "$0" "$@"
dist="$1" version="$2" cli_kind="$4" tool_exe="$(realpath "$5")" record_exe="$(realpath "$6")"
for file in "$dist/tarvek-$version-"{setup-x86.exe,setup-x64.exe,portable-x86.zip,portable-x64.zip}; do
    [[ -f "$file" ]] || { echo "SKIP: $file is missing (run tools/package)"; exit 77; }
done
out="$(realpath -m "$7")"
mkdir -p "$out"
work="$(mktemp -d "$out/run.XXXXXX")"
prefix="$work/prefix"
failures=0
source "$root/tests/e2e/script_checks.sh"
cleanup() {
    WINEPREFIX="$prefix" timeout 30 wineserver -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
# One line per registry value, "name|type|data" (reg prints four blanks between the fields).
reg_values() { wine_run reg query "$@" 2>/dev/null | tr -d '\r' | sed -n 's/^    //; s/    /|/gp'; }
has_lines() {  # has_lines <text> <line>...: every line is one of the text's lines
    local text="$1" line
    shift
    for line in "$@"; do
        grep -qxF -- "$line" <<<"$text" || { echo "      missing: $line"; return 1; }
    done
}

echo "== version records"
for arch in x86 x64; do unzip -q "$dist/tarvek-$version-portable-$arch.zip" -d "$work/$arch"; done
shipped="$work/x64/tarvek-$version-x64"
cli_x86="$work/x86/tarvek-$version-x86/tarvek-cli.exe"
if [[ "$cli_kind" == standin ]]; then
    echo "NOTE: tarvek-cli is not built yet: a stand-in with its resources takes its place in"
    echo "      the x64 packages under test; the x86 tarvek-cli is not checked"
    cp "$3" "$shipped/tarvek-cli.exe"
    cli_x86=""
fi
# The version texts and the manifest's execution level as "Key=value" lines, from windres
# (either architecture) or, for x64, through GetFileVersionInfoW under Wine.
windres_record() {
    x86_64-w64-mingw32-windres -i "$1" -O rc | sed -n -e 's/^ FILEVERSION /Fixed=/p' \
        -e 's/^ *VALUE "\([A-Za-z]*\)", "\(.*\)"$/\1=\2/p' \
        -e 's/.*requestedExecutionLevel level=""\([A-Za-z]*\)"".*/Level=\1/p'
}
wine_record() { wine_run "$record_exe" "$(winpath "$1")" | tr -d '\r' && windres_record "$1" | grep '^Level='; }
product="ProductName=Veltrin Mobile Label Setup Application"
for exe in "$work/x86/tarvek-$version-x86/tarvek.exe" $cli_x86 "$shipped/tarvek.exe" "$shipped/tarvek-cli.exe"; do
    reader=wine_record
    [[ "$exe" == */x86/* ]] && reader=windres_record
    case "$exe" in
        */tarvek.exe) expected=("Fixed=1, 4, 0, 0" "FileVersion=1, 4, 0, 0" "OriginalFilename=tarvek.exe" "$product" "Level=requireAdministrator") ;;
        *) expected=("Fixed=${version//./, }, 0" "FileVersion=$version" "ProductVersion=$version" "OriginalFilename=tarvek-cli.exe" "$product" "Level=asInvoker") ;;
    esac
    check "${exe#"$work"/} ($reader)" has_lines "$($reader "$exe")" "${expected[@]}"
done

echo "== x64 installer: upgrade over $version's predecessor, install, uninstall"
installer="$dist/tarvek-$version-setup-x64.exe"
make_installer() { "$root/packaging/windows/make-packages" x64 "$1" "$work/$1" "$shipped/tarvek.exe" "$shipped/tarvek-cli.exe"; }
[[ "$cli_kind" == standin ]] && installer="$(make_installer "$version")"
older="$(make_installer 0.0.1)"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
environment_key='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
clsid='{45CB1BFF-78CE-4B47-89CD-E0CD7B68C5E9}'
# snapshot <name>: the registry (HKLM\Software, HKCR), the system PATH and drive C's files
# (temporary folders aside: the uninstaller runs from a copy there).
snapshot() {
    for key in HKEY_LOCAL_MACHINE\\Software HKEY_CLASSES_ROOT; do
        wine_run regedit /E "$(winpath "$work/export.reg")" "$key" &&
            iconv -f UTF-16LE -t UTF-8 "$work/export.reg" >>"$work/$1"
    done
    reg_values "$environment_key" /v PATH >>"$work/$1"
    (cd "$prefix/drive_c" && find . -path '*/Temp' -prune -o -print | sort) >>"$work/$1"
}
check "a fresh prefix starts" wine_run cmd /c exit
snapshot before
check "the older version installs silently" wine_run "$older" /S
check "this version installs over it silently" wine_run "$installer" /S
instdir='C:\Program Files\Tarvek'
programs="$prefix/drive_c/Program Files/Tarvek"
check "the programs and uninstaller are in the 64-bit Program Files" \
    test -f "$programs/tarvek.exe" -a -f "$programs/tarvek-cli.exe" -a -f "$programs/uninstall.exe"
check "Start menu shortcut" test -f "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvek.lnk"
check "one Apps & features entry" test "$(reg_values "$uninstall_key" /s | grep -c '^DisplayName|.*Tarvek')" -eq 1
check "the entry names this version and the installed uninstaller" has_lines "$(reg_values "$uninstall_key\\Tarvek")" \
    "DisplayName|REG_SZ|Tarvek (x64)" "DisplayVersion|REG_SZ|$version" "Publisher|REG_SZ|Veltrin" \
    "InstallLocation|REG_SZ|$instdir" "DisplayIcon|REG_SZ|$instdir\\tarvek.exe" \
    "UninstallString|REG_SZ|\"$instdir\\uninstall.exe\"" "QuietUninstallString|REG_SZ|\"$instdir\\uninstall.exe\" /S"
check "the entry's size is set" bash -c '[[ "$1" =~ EstimatedSize\|REG_DWORD\|0x[1-9a-f] ]]' _ "$(reg_values "$uninstall_key\\Tarvek")"
check "the system PATH ends with the install folder" bash -c '[[ "$1" == *";$2" ]]' _ "$(reg_values "$environment_key" /v PATH)" "$instdir"
check "tarvek-cli --version through the PATH prints $version" bash -c '[[ "$1" == *"$2"* ]]' _ \
    "$(wine_run cmd /c tarvek-cli --version | tr -d '\r')" "$version"

title="Veltrin Mobile Label Printer Utiltiy 1.40"
wine_run "$programs/tarvek.exe" &
app=$!
check "the installed program starts" tool wait-shown "$title" 30000
check "it registers itself as the automation server" has_lines "$(reg_values "HKCR\\CLSID\\$clsid\\LocalServer32")" \
    "(Default)|REG_SZ|\"$instdir\\tarvek.exe\""
check "setup refuses to run while the program runs" eval '! wine_run "$installer" /S'
tool press "$title" 1
check "Exit ends it" ends_within "$app" 20

check "the uninstaller runs silently" wine_run "$programs/uninstall.exe" /S
# It goes on from its copy in the temporary folder; the entry goes last.
check "the uninstaller finishes" poll 30 eval "! wine_run reg query '$uninstall_key\\Tarvek' >/dev/null 2>&1"
snapshot after
check "nothing is left: registry, PATH, files" diff "$work/before" "$work/after"

finish windows_packages_test
