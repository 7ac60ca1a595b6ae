#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages twice, in two folders, without their tests (DEB_BUILD_OPTIONS=
# nocheck), and compares the .deb files byte for byte.
#
# Usage: check_reproducible.sh ROOT
set -uo pipefail
root=$1
first=$(mktemp -d)
second=$(mktemp -d)
trap 'rm -rf "$first" "$second"' EXIT
status=0
for out in "$first" "$second"; do
  "$root/tools/build_package.sh" "$out" nocheck >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
  rm -f "$out.log"
done
for deb in "$first"/*.deb; do
  if cmp -s "$deb" "$second/$(basename "$deb")"; then
    echo "same bit for bit: $(basename "$deb")"
  else
    echo "FAIL: $(basename "$deb") differs between two builds"
    status=1
  fi
done
exit $status
