#!/usr/bin/env bash
# The Linux package: lintian, then an install and a removal in a throw-away dpkg root, with the
# installed tarvek-cli --version run in between.
#   deb_test.sh <dist> <version> <tarvek-cli> <built|standin> <output folder>
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
version="$2"
out="$(realpath -m "$5")"
mkdir -p "$out"
work="$(mktemp -d "$out/run.XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0
source "$root/tests/e2e/script_checks.sh"
deb="$1/tarvek-cli_$version-1_$(dpkg --print-architecture).deb"
if [[ "$4" == standin ]]; then
    echo "NOTE: tarvek-cli is not built yet: the package under test carries a stand-in"
    deb="$("$root/packaging/debian/make-deb" "$version" "$work" "$3")" || exit 1
elif [[ ! -f "$deb" ]]; then
    echo "SKIP: $deb is missing (run tools/package)"
    exit 77
fi

check "lintian: no error or warning" lintian --fail-on error,warning "$deb"
dpkg_root="$work/root"
mkdir -p "$dpkg_root/var/lib/dpkg/updates" "$dpkg_root/var/lib/dpkg/info"
touch "$dpkg_root/var/lib/dpkg/status"
# The throw-away root has none of the libraries the package depends on.
in_root() {
    dpkg --root="$dpkg_root" --force-not-root --force-depends --log=/dev/null "$@" >"$work/dpkg.log" 2>&1 ||
        { cat "$work/dpkg.log"; return 1; }
}
check "installs" in_root -i "$deb"
installed=(usr/bin/tarvek-cli usr/share/man/man1/tarvek-cli.1.gz usr/lib/udev/rules.d/60-tarvek.rules
    usr/share/doc/tarvek-cli/{copyright,changelog.Debian.gz,README.Debian})
for file in "${installed[@]}"; do
    check "installed: /$file" test -s "$dpkg_root/$file"
done
check "the udev rule gives the lp group the printer" grep -qxF \
    'SUBSYSTEM=="usb", ATTRS{idVendor}=="0525", ATTRS{idProduct}=="a702", MODE="0660", GROUP="lp"' \
    "$dpkg_root/usr/lib/udev/rules.d/60-tarvek.rules"
check "the installed tarvek-cli --version prints $version" bash -c '[[ "$("$1" --version)" == *"$2"* ]]' _ \
    "$dpkg_root/usr/bin/tarvek-cli" "$version"
check "is removed" in_root -P tarvek-cli
check "nothing is left outside dpkg's own files" test -z "$(find "$dpkg_root" -path "$dpkg_root/var/lib/dpkg" -prune -o ! -type d -print)"

finish deb_test
