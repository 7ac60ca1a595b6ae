#!/usr/bin/env bash
# Installs the build into an empty prefix and checks the tree a desktop expects.
set -euo pipefail
build=$1
app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/brimel
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/doc/brimel/copyright
  share/man/man1/brimel.1
  share/man/es/man1/brimel.1
)
for size in 16 32 48 64 128 256; do
  expected+=(share/icons/hicolor/${size}x${size}/apps/$app_id.png)
done
status=0
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
[ -x "$prefix/bin/brimel" ] || { echo "bin/brimel is not executable"; status=1; }
# Nothing beyond what is listed: a stray file in the tree is a packaging mistake.
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  echo "unexpected tree:"; diff <(echo "$wanted") <(echo "$actual") || true; status=1
fi
# Each icon is the size its folder says.
for size in 16 32 48 64 128 256; do
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r -a bytes < <(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  dims="$(( (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3] )) $(( (bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7] ))"
  [ "$dims" = "$size $size" ] || { echo "icon ${size}x${size} is $dims"; status=1; }
done
# The installed desktop entry finds the installed program and icon by name.
grep -qx "Exec=brimel" "$prefix/share/applications/$app_id.desktop" || { echo "Exec"; status=1; }
grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || { echo "Icon"; status=1; }
# No RUNPATH in the installed program, and none with empty entries (read as the current
# folder by the dynamic loader) in the build tree's.
if readelf -d "$prefix/bin/brimel" | grep -qE 'RPATH|RUNPATH'; then
  echo "installed bin/brimel has a RUNPATH"; status=1
fi
runpath=$(readelf -d "$build/app/brimel" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')
if [[ -n $runpath && ( $runpath == :* || $runpath == *: || $runpath == *::* ) ]]; then
  echo "build tree's brimel has empty RUNPATH entries: [$runpath]"; status=1
fi
# The manual pages read without a complaint from groff.
for page in share/man/man1/brimel.1 share/man/es/man1/brimel.1; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
               "$prefix/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
done
[ $status = 0 ] && echo "install tree OK: ${#expected[@]} files"
exit $status
