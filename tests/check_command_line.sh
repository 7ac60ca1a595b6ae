#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program's command line is answered before any window system is touched: with no display
# at all, --version and --help answer and exit 0, an unknown option prints the usage and exits
# 2, and a run that needs a window says in one line that there is no display and exits 1.
#
# Usage: check_command_line.sh PATH/TO/brimel VERSION_TEXT
set -u
brimel=$1
version=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$brimel" "$@"; }

out=$(run --version 2>/dev/null); code=$?
[ "$code" = 0 ] && [ "$out" = "Brimel $version" ] || fail "--version: exit $code, printed '$out'"

for option in --help -h; do
  out=$(run "$option" 2>/dev/null); code=$?
  [ "$code" = 0 ] && [[ "$out" == "Uso: brimel [opciones]"* ]] || fail "$option: exit $code"
done

err=$(run --sin-sentido 2>&1 >/dev/null); code=$?
[ "$code" = 2 ] && [[ "$err" == "brimel: opción desconocida: --sin-sentido"*"Uso: brimel"* ]] ||
  fail "unknown option: exit $code, said '$err'"

err=$(run 2>&1 >/dev/null); code=$?
lines=$(printf '%s\n' "$err" | wc -l)
[ "$code" = 1 ] && [ "$lines" = 1 ] && [[ "$err" == *DISPLAY*WAYLAND_DISPLAY* ]] ||
  fail "no display: exit $code, said '$err'"

[ $status = 0 ] && echo "command line OK"
exit $status
