#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One look on every desktop: under a GNOME session Qt loads the GTK platform theme into a
# program that follows the desktop's settings, and the theme restyles its colours and fonts.
# The bare Qt window, which does follow them, shows that this session would load it; Brimel
# must not. Each program runs on the private X server it is given until its window is mapped.
#
#   check_one_look.sh BRIMEL BARE_WINDOW
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the platform theme plugins a program loaded by the time its window was mapped.
themes_loaded() {
  local log=$work/$(basename "$1").log
  env -u DBUS_SESSION_BUS_ADDRESS -u QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM=xcb \
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome QT_DEBUG_PLUGINS=1 "$1" >"$log" 2>&1 &
  local pid=$!
  if ! timeout 20 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null; then
    echo "$1: no window within 20 s" >&2
    tail -n 20 "$log" >&2
  fi
  kill -TERM "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  grep -o 'platformthemes/[^"]*" loaded library' "$log" | cut -d'"' -f1 | sort -u
}

status=0
bare=$(themes_loaded "$2")
if ! grep -q libqgtk3 <<<"$bare"; then
  echo "the bare window loaded no GTK platform theme under GNOME: is qt6-gtk-platformtheme" \
    "installed? Without it this test proves nothing." >&2
  status=1
fi
ours=$(themes_loaded "$1")
if [ -n "$ours" ]; then
  echo "Brimel loaded the desktop's platform theme: $ours" >&2
  status=1
fi
echo "bare window: ${bare:-no theme}; Brimel: ${ours:-no theme}"
[ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
