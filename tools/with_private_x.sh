#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a private X server, the one way the tools, benchmarks and tests start one:
# Xvfb picks a free display and says which once it accepts clients; -noreset keeps it up when
# its last client leaves (a restarting server refuses whoever connects meanwhile); it stops
# when the command ends, whose exit status this script returns.
#
#   tools/with_private_x.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGS...]
set -uo pipefail
screen=1024x768x24
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
folder=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp 3>"$folder/display" \
  2>"$folder/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$folder"' EXIT
for _ in $(seq 200); do
  [ -s "$folder/display" ] && break
  kill -0 $xvfb 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$folder/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$folder/xvfb.log" >&2
  exit 1
fi
DISPLAY=:$(head -n 1 "$folder/display") "$@"
