#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# brimel.exe under Wine, used as a person would on a private X server: types 1, -0.6 and 0.09,
# presses Return, and reads each result back the way a user would take it away, by selecting
# the box's text and copying it (Wine hands the Windows clipboard to X's); opens the resolution
# with Ctrl+R and copies its lines (BRIMEL_SCREENSHOT names a picture of it); then empties the
# boxes, asks again and copies the message box (Qt's message box copies its texts with
# Ctrl+C): the design's message and Qt's Spanish "Aceptar". Under a Spanish locale the
# results read 0,3, 0,3 and 0. Needs DISPLAY (tools/with_private_x.sh), xdotool and xclip.
#
#   tests/windows/wine_e2e.sh PATH/TO/brimel.exe
set -uo pipefail
exe=$1
status=0
fail() { echo "FAIL: $*"; status=1; }

wait_window() { # the X window of that exact title, once it shows: at most TRIES quarter seconds
  local found
  for _ in $(seq "$2"); do
    found=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.25
  done
}

# Wine takes its Windows locale from LC_ALL.
LC_ALL=es_ES.UTF-8 wine "$exe" >/dev/null 2>&1 &
window=$(wait_window 'Brimel 1.0   por Vorno' 120)
[ -n "$window" ] || { echo "FAIL: no window"; wineserver -k; exit 1; }
sleep 1

# Boxes' centres in the window's own pixels (the forms' geometry), below the menu bar.
menu=$(( $(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p') - 199 ))
click() { xdotool mousemove --window "$window" "$1" $(( $2 + menu )) click 1; sleep 0.3; }
copied() { # the clipboard, once it has changed from what it was
  for _ in $(seq 20); do
    text=$(xclip -o -selection clipboard 2>/dev/null)
    [ "$text" != "$1" ] && { printf '%s' "$text"; return; }
    sleep 0.1
  done
}
copy_box() { # selects the whole text of a box and copies it
  printf 'none' | xclip -selection clipboard
  click "$1" "$2"
  xdotool key End shift+Home ctrl+c
  copied none
}

click 64 89;  xdotool type --delay 50 -- "1"
click 64 113; xdotool type --delay 50 -- "-0.6"
click 64 145; xdotool type --delay 50 -- "0.09"
xdotool key Return
sleep 0.5
for box in "Text5 224 89 0,3" "Text6 224 121 0,3" "Text7 208 145 0"; do
  read -r name x y want <<<"$box"
  got=$(copy_box "$x" "$y")
  [ "$got" = "$want" ] && echo "$name: $got" || fail "$name: copied '$got', expected '$want'"
done

# Ctrl+R: the whole resolution, its lines copied from its text with Ctrl+A and Ctrl+C; Escape
# closes it.
xdotool key ctrl+r
resolution=$(wait_window 'Resoluci.*' 40) # the accent's encoding is Wine's
if [ -z "$resolution" ]; then
  fail "no resolution window"
else
  sleep 1
  [ -n "${BRIMEL_SCREENSHOT:-}" ] && import -window root "$BRIMEL_SCREENSHOT"
  printf 'none' | xclip -selection clipboard
  xdotool windowfocus --sync "$resolution" 2>/dev/null
  xdotool key ctrl+a ctrl+c
  text=$(copied none)
  line="x₁ = (−b + √D)/(2a) = (0,6 + √0)/(2·1) = (0,6 + 0)/2 = 0,3"
  [[ "$text" == *"$line"* ]] && echo "resolution: $line" || fail "resolution: '$text'"
  xdotool key Escape
  for _ in $(seq 20); do
    xdotool search --onlyvisible --name '^Resoluci.*$' >/dev/null 2>&1 || break
    sleep 0.25
  done
  xdotool search --onlyvisible --name '^Resoluci.*$' >/dev/null 2>&1 &&
    fail "resolution still open"
fi

# Borrar, then Calcular with every box empty: the design's message in Qt's message box.
click 148 184
click 64 89
xdotool key Return
box=$(wait_window Brimel 40)
if [ -z "$box" ]; then
  fail "no message box"
else
  sleep 0.5
  printf 'none' | xclip -selection clipboard
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key ctrl+c
  text=$(copied none)
  [[ "$text" == *"Por favor, introduza los valores de a,b,c"* ]] ||
    fail "message box: '$text'"
  [[ "$text" == *"Aceptar"* ]] && echo "message box: the design's message, button Aceptar" ||
    fail "message box button: '$text'"
  xdotool key Return
fi

# Ctrl+C with nothing selected closes the window, and with it the program.
sleep 0.5
click 64 89
xdotool key ctrl+c
for _ in $(seq 40); do
  xdotool search --name '^Brimel 1.0   por Vorno$' >/dev/null 2>&1 || break
  sleep 0.25
done
xdotool search --name '^Brimel 1.0   por Vorno$' >/dev/null 2>&1 && fail "still open after Ctrl+C"
wineserver -k 2>/dev/null
[ $status = 0 ] && echo "brimel.exe under Wine: OK"
exit $status
