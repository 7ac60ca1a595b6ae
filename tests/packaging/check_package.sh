#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as a maintainer checks it: built from debian/ with dpkg-buildpackage
# (which runs the unit and window tests), lintian clean at the pedantic level (no error, no
# warning), hardened, its dependencies and files as they should be, installed with apt on this
# machine, working from its installed path, and gone without a trace after apt-get remove.
#
# Usage: check_package.sh ROOT VERSION_TEXT APP_ID
set -uo pipefail
root=$1
version=$2
app_id=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

if ! "$root/tools/build_package.sh" "$out" >"$out/build.log" 2>&1; then
  cat "$out/build.log"
  exit 1
fi
deb=$(ls "$out"/brimel_*.deb)
dbgsym=$(ls "$out"/brimel-dbgsym_*.deb)
echo "built $(basename "$deb") and $(basename "$dbgsym")"

# The program's version with a Debian revision; what it needs at run time beyond its libraries.
[[ $(dpkg-deb -f "$deb" Version) =~ ^${version//./\\.}-[0-9]+$ ]] ||
  fail "version $(dpkg-deb -f "$deb" Version), the program's is $version"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libmpfr6 libgmp10 qt6-qpa-plugins \
               qt6-translations-l10n fonts-comic-neue fonts-dejavu-core fonts-liberation2; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
# The window's icon stops at its largest image: nothing draws the SVG, Qt's SVG support is not
# needed.
! grep -q libqt6svg6 <<<"$depends" || fail "Depends has libqt6svg6: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends: qt6-wayland"
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in usr/bin/brimel "usr/share/applications/$app_id.desktop" \
            "usr/share/metainfo/$app_id.metainfo.xml" \
            "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
            "usr/share/icons/hicolor/256x256/apps/$app_id.png" \
            usr/share/man/man1/brimel.1.gz usr/share/man/es/man1/brimel.1.gz \
            usr/share/doc/brimel/copyright usr/share/doc/brimel/changelog.Debian.gz; do
  grep -qx "\./$file" <<<"$contents" || fail "not in the package: $file"
done

# lintian at the pedantic level: no error and no warning (informational and pedantic tags are
# shown, and the overrides in debian/ name each false positive).
if ! lintian --pedantic --display-info --fail-on error,warning "$deb" "$dbgsym" \
     >"$out/lintian.log" 2>&1; then
  fail "lintian"
fi
cat "$out/lintian.log"

# Installed with apt, from the package file, with what it depends on.
before=$(dpkg-query -W -f='${Status}' brimel 2>/dev/null || true)
[[ $before == *" installed" ]] && echo "note: brimel was installed before; it is replaced"
if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$out/apt.log" 2>&1; then
  cat "$out/apt.log"
  fail "apt-get install"
  exit 1
fi
files=$(dpkg -L brimel)

# Every check but control flow integrity, which no program linked on Debian 12 can pass: its C
# library's start-up objects carry no IBT/SHSTK marking (hardening-check fails /bin/ls alike),
# so the linker drops the one the program's own code is built with.
hardening-check --nocfprotection /usr/bin/brimel || fail "hardening-check"
if readelf -d /usr/bin/brimel | grep -qE 'RPATH|RUNPATH'; then
  fail "the installed program has a RUNPATH: $(readelf -d /usr/bin/brimel | grep -E 'RPATH|RUNPATH')"
fi
[ "$(brimel --version)" = "Brimel $version" ] || fail "brimel --version from PATH"
"$root/tools/with_private_x.sh" env BRIMEL_PRIVATE_X=1 /usr/bin/python3 "$root/tests/e2e/smoke.py" \
  /usr/bin/brimel || fail "the installed program"

# Removed: nothing of it is left on the system, not even a package state.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q brimel >"$out/remove.log" 2>&1 ||
  fail "apt-get remove"
while IFS= read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && fail "left behind: $path"
done <<<"$files"
state=$(dpkg-query -W -f='${Status}' brimel 2>/dev/null || true)
[ -z "$state" ] || [[ $state == *not-installed ]] || fail "package state after removal: $state"

[ $status = 0 ] && echo "package OK"
exit $status
