#!/usr/bin/env bash
# Compiles the Windows resource script with the MinGW resource compiler, as a Windows build
# would, and reads its icon and version record back.
#
# Usage: check_windows_resource.sh WINDRES SCRIPT ICON_FOLDER MAJOR MINOR VERSION_TEXT
set -euo pipefail
windres=$1
script=$2
icons=$3
major=$4
minor=$5
version=${6//./\\.}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The host C preprocessor reads the script: it needs no Windows header.
"$windres" --preprocessor=cpp --preprocessor-arg=-P -I "$icons" "$script" -O res \
  -o "$out/brimel.res"
"$windres" --preprocessor=cpp --preprocessor-arg=-P -I "$icons" "$script" -O coff \
  -o "$out/brimel.o"
"$windres" -i "$out/brimel.res" -O rc -o "$out/back.rc"
status=0
need() { grep -qiE -- "$1" "$out/back.rc" || { echo "not in the compiled resource: $1"; status=1; }; }
need "FILEVERSION $major, *$minor, *0, *0"
need "PRODUCTVERSION $major, *$minor, *0, *0"
need 'BLOCK "0c0a04b0"'
need "VALUE \"FileVersion\", \"$version\""
need "VALUE \"ProductVersion\", \"$version\""
need 'VALUE "ProductName", "Brimel"'
need 'VALUE "InternalName", "Brimel"'
need 'VALUE "Translation", 0xc0a, (0x4b0|1200)'
# One icon group holding the four images: 16x16 and 32x32, each at 4 and 8 bits a pixel.
icons=$(grep -c 'RT_ICON \*/' "$out/back.rc" || true)
[ "$icons" = 4 ] || { echo "expected 4 icon images, found $icons"; status=1; }
need '"\\020\\020\\020\\000", 1, 4,'
need '"\\020\\020\\000\\000", 1, 8,'
need '"\\040\\040\\020\\000", 1, 4,'
need '"\\040\\040\\000\\000", 1, 8,'
[ $status = 0 ] && echo "Windows resource OK"
exit $status
