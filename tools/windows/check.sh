#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Brimel for Windows (tools/windows/build.sh), makes brimel.exe and the installer
# (tools/windows/package.sh), and checks them under Wine, as far as this Linux machine can:
#   - every Qt Test suite and the table through CTest, Wine running each program;
#   - accuracy.exe: no wrong text, kind or error against the exact reference;
#   - brimel.exe used on a private X server, its results copied back (tests/windows/wine_e2e.sh);
#   - the installer installed, upgraded and removed (tests/windows/check_msi.sh).
# The first run builds Qt (about half an hour on two cores); later ones take minutes.
#
#   tools/windows/check.sh [ACCURACY_CASES=500]
source "$(dirname "$0")/common.sh"
cases=${1:-500}
started=$SECONDS
step() { log "$1 ($((SECONDS - started)) s)"; }

# Wine first: the build names it as the emulator that runs the tests.
need_packages wine wine64 xvfb xauth xdotool xclip msitools poppler-utils
"$root/tools/windows/build.sh"
"$root/tools/windows/package.sh"
step "Wine prefix"
wineboot -i >/dev/null 2>&1 || true
status=0

# Wine's programs in a prefix share one desktop, made on the display of the first to start: each
# step below starts with none running.
fresh_wine() { wineserver -k 2>/dev/null || true; }

step "Qt Test suites under Wine, on a private X server"
fresh_wine
(cd "$work/brimel" && "$root/tools/with_private_x.sh" ctest --output-on-failure -j"$(nproc)") ||
  status=1

step "a PDF saved under Wine, read back"
fresh_wine
pdf=$work/resolucion-wine.pdf
rm -f "$pdf"
(cd "$work/brimel" && BRIMEL_KEEP_PDF=$(winepath -w "$pdf" 2>/dev/null) \
  "$root/tools/with_private_x.sh" wine tst_windows.exe -platform offscreen resolutionSaved \
  -o "$work/pdf-test.txt,txt") || { cat "$work/pdf-test.txt" 2>/dev/null || true; status=1; }
if pdftotext -layout "$pdf" - 2>/dev/null | grep -qF "x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1) = (3 + √5)/2 ≈ 2,62"; then
  echo "the PDF written under Wine reads back: $(pdftotext "$pdf" - | grep -c .) lines"
else
  echo "the PDF written under Wine does not read back" >&2
  status=1
fi

step "accuracy.exe $cases 1"
fresh_wine
timeout 1800 wine "$work/brimel/accuracy.exe" "$cases" 1 >"$work/accuracy.txt" 2>&1 || status=1
cat "$work/accuracy.txt"

step "brimel.exe on a private X server"
fresh_wine
timeout 300 "$root/tools/with_private_x.sh" "$root/tests/windows/wine_e2e.sh" \
  "$work/brimel/brimel.exe" || status=1

step "the installer"
fresh_wine
version_text=$(sed -n 's/.*kVersionText = "\(.*\)";/\1/p' "$work/brimel/generated/runtime/program_identity.h")
major=${version_text%%.*}
minor=$((10#${version_text#*.}))
make_msi "$major.$((minor + 1))" "$work/brimel-later.msi"
"$root/tests/windows/check_msi.sh" "$work/brimel-$version_text-win64.msi" "$work/brimel-later.msi" \
  "$major.$minor" "$major.$((minor + 1))" || status=1
wineserver -k 2>/dev/null || true

step "done: $([ $status = 0 ] && echo "everything passed" || echo FAILED)"
exit $status
