#!/usr/bin/env bash
# Start-up, memory and idle cost of Brimel against a bare Qt Widgets window of the same size and
# widget count, and against any other calculator installed here, launched interleaved in random
# order on a private Xvfb with no window manager.
#   bench/startup/run.sh BUILD_DIR [ROUNDS=12] [IDLE_ROUNDS=3] [IDLE_SECONDS=10]
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=${2:-12}
idle_rounds=${3:-3}
idle_seconds=${4:-10}
watch=$build/bench/startup/watch-start

programs=("brimel=$build/app/brimel" "bare-qt=$build/bench/startup/bare-window")
for peer in xcalc galculator speedcrunch kcalc gnome-calculator qalculate-gtk; do
  command -v "$peer" >/dev/null && programs+=("$peer=$(command -v "$peer")")
done

work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display")
# One plain X session for every program: no session bus, no accessibility bus.
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
export LANG=es_ES.UTF-8

echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(sed -n 's/^model name\t: //p' /proc/cpuinfo | head -n 1)"
echo "rounds: $rounds ($idle_rounds with $idle_seconds idle seconds), programs: ${programs[*]%%=*}"
for round in $(seq "$rounds"); do
  idle=0
  [ "$round" -le "$idle_rounds" ] && idle=$idle_seconds
  for entry in $(printf '%s\n' "${programs[@]}" | shuf); do
    name=${entry%%=*}
    if line=$("$watch" "$idle" "${entry#*=}" 2>/dev/null); then
      echo "$name $idle $line" >>"$work/results"
    else
      echo "$name: no window in round $round" >&2
    fi
    sleep 0.3
  done
done
/usr/bin/python3 "$(dirname "$0")/summarize.py" "$work/results"
