#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program's command line: --version and --help answer with no display at all and exit 0;
# Qt takes its own window options (-geometry on X11) and whatever is left is refused with the
# usage and exit 2; a window system that cannot be opened is reported in our line, then Qt's
# own account (its list of platforms), with exit 1. Run on a private X server (DISPLAY set).
#
# Usage: check_command_line.sh PATH/TO/brimel VERSION_TEXT
set -u
brimel=$1
version=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$brimel" "$@"; }
no_display="brimel: no se pudo abrir la pantalla gráfica."

out=$(bare --version 2>/dev/null); code=$?
[ "$code" = 0 ] && [ "$out" = "Brimel $version" ] || fail "--version: exit $code, printed '$out'"

for option in --help -h; do
  out=$(bare "$option" 2>/dev/null); code=$?
  [ "$code" = 0 ] && [[ "$out" == "Uso: brimel [opciones]"* ]] || fail "$option: exit $code"
done

err=$(bare -platform offscreen --sin-sentido 2>&1 >/dev/null); code=$?
[ "$code" = 2 ] && [[ "$err" == *"brimel: opción desconocida: --sin-sentido"$'\n\nUso: brimel'* ]] ||
  fail "unknown option: exit $code, said '$err'"
err=$(bare -platform offscreen ecuacion.txt 2>&1 >/dev/null); code=$?
[ "$code" = 2 ] && [[ "$err" == *"brimel: argumento de más: ecuacion.txt"$'\n'* ]] ||
  fail "an argument: exit $code, said '$err'"

# X11's own options are Qt's: the window opens, and SIGTERM ends the run cleanly.
[ -n "${DISPLAY:-}" ] || fail "no private X server to try -geometry on"
err=$(QT_QPA_PLATFORM=xcb timeout --preserve-status 3 "$brimel" -geometry 300x200 -title T 2>&1)
code=$?
[ "$code" = 0 ] || fail "-geometry 300x200 -title T: exit $code, said '$err'"

err=$(bare 2>&1 >/dev/null); code=$?
[ "$code" = 1 ] && [[ "$err" == *"$no_display"$'\n'*"platform plugin"* ]] ||
  fail "no display: exit $code, said '$err'"
err=$(QT_QPA_PLATFORM=bogus "$brimel" 2>&1 >/dev/null); code=$?
[ "$code" = 1 ] && [[ "$err" == *"$no_display"$'\n'*"Available platform plugins are:"*xcb* ]] ||
  fail "a platform that does not exist: exit $code, said '$err'"

[ $status = 0 ] && echo "command line OK"
exit $status
