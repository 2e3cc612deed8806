#!/usr/bin/env bash
# Without a display the game says why and stops instead of running a loop with no window.
set -uo pipefail
qvrn=$1
log=$(DISPLAY= WAYLAND_DISPLAY= timeout 20 "$qvrn" --frames 5 2>&1)
status=$?
[ $status -ne 0 ] && [ $status -ne 124 ] || { echo "expected a failure exit, got $status"; exit 1; }
grep -q "^ERROR: could not open the window: " <<<"$log" || { echo "missing log line in: $log"; exit 1; }
echo "no-display ok"
