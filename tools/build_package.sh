#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages (brimel and brimel-dbgsym) with dpkg-buildpackage from debian/, in
# a scratch copy of the checkout's files (those git tracks and new ones it does not ignore),
# and copies the .deb files into OUT. SOURCE_DATE_EPOCH, when not set, is the last commit's
# time, so that two builds of one commit are the same bit for bit.
#
#   tools/build_package.sh OUT [DEB_BUILD_OPTIONS...]     e.g.  tools/build_package.sh out nocheck
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
shift
export DEB_BUILD_OPTIONS="${*:-} parallel=$(nproc)"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/brimel"
(cd "$root" && git ls-files -z --cached --others --exclude-standard) |
  (cd "$root" && while IFS= read -r -d '' file; do
     [ -e "$file" ] && printf '%s\0' "$file"
   done) |
  (cd "$root" && xargs -0 cp --parents -t "$work/brimel")
(cd "$work/brimel" && dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) || {
  tail -n 60 "$work/build.log"
  exit 1
}
cp "$work"/*.deb "$out"/
ls "$out"/*.deb
