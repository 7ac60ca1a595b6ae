#!/usr/bin/env bash
# Runs Brimel under its own Xvfb, solves one equation by typing and clicking like a person,
# and saves a picture of the main window.  Usage: tools/screenshot.sh BRIMEL OUTPUT.png
set -euo pipefail
brimel=${1:?path to brimel}
output=${2:?output .png}
if [ -z "${BRIMEL_PRIVATE_X:-}" ]; then
  exec "$(dirname "$0")/with_private_x.sh" --screen 800x600x24 env BRIMEL_PRIVATE_X=1 "$0" "$@"
fi

app=""
trap 'kill $app 2>/dev/null || true' EXIT

LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 "$brimel" &
app=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name 'Brimel 1.0' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window" >&2; exit 1; }
sleep 0.5

# Box centres, in the window's own pixels (see windows/main_window.ui), below the menu bar.
menu=$(( $(xdotool getwindowgeometry "$window" | awk -F'[x ]' '/Geometry/ {print $5}') - 199 ))
click() { xdotool mousemove --window "$window" "$1" $(( $2 + menu )) click 1; sleep 0.1; }
click 64 89;  xdotool type --delay 30 -- "1"
click 64 113; xdotool type --delay 30 -- "-1"
click 64 145; xdotool type --delay 30 -- "0,5"
click 68 180
sleep 1.2
import -window "$window" "$output"
echo "saved $output"
