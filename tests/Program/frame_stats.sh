#!/usr/bin/env bash
# --frame-stats prints the frame count and the three time summaries at exit.
set -uo pipefail
qvrn=$1
output=$(timeout 60 "$qvrn" --frames 5 --fixed-dt 0.016 --no-msaa --frame-stats 2>/dev/null)
status=$?
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
for expected in "Frame stats: 5 frames" "frame " "update " "draw "; do
  grep -q -- "$expected" <<<"$output" || { echo "missing \"$expected\" in: $output"; exit 1; }
done
echo "frame stats ok"
