#!/usr/bin/env bash
# Builds the .deb with CPack into a scratch folder and checks its control data and contents.
set -euo pipefail
build=$1
app_id=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/brimel_1.00_*.deb)
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
status=0
need() { grep -q -- "$2" <<<"$1" || { echo "missing in package $3: $2"; status=1; }; }
need "$info" "Package: brimel" info
need "$info" "Version: 1.00" info
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libmpfr6 libgmp10 qt6-qpa-plugins \
                  fonts-comic-neue fonts-dejavu-core fonts-liberation2; do
  need "$info" "Depends:.*$dependency" info
done
need "$contents" "^./usr/bin/brimel$" contents
need "$contents" "^./usr/share/applications/$app_id.desktop$" contents
need "$contents" "^./usr/share/metainfo/$app_id.metainfo.xml$" contents
need "$contents" "^./usr/share/icons/hicolor/48x48/apps/$app_id.png$" contents
need "$contents" "^./usr/share/icons/hicolor/scalable/apps/$app_id.svg$" contents
# Stripped: the package carries the program, not its debugging data.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/brimel > "$out/brimel"
if readelf -S "$out/brimel" | grep -q '\.debug_info'; then
  echo "usr/bin/brimel is not stripped"; status=1
fi
# Where apt can see the archive, check that every dependency resolves.
if [ "$(id -u)" = 0 ] && ls /var/lib/apt/lists/*_Packages >/dev/null 2>&1; then
  apt-get install --simulate "$deb" >"$out/apt.log" 2>&1 || { cat "$out/apt.log"; status=1; }
fi
[ $status = 0 ] && echo "package OK: $(basename "$deb")"
exit $status
