#!/usr/bin/env bash
# Started outside its run folder, the game says in one line what it missed and where it
# looked, instead of one line per missing file.
set -uo pipefail
qvrn=$1
elsewhere=$(mktemp -d)
trap 'rm -rf "$elsewhere"' EXIT
log=$(cd "$elsewhere" && timeout 30 "$qvrn" --frames 2 2>&1)
status=$?
[ $status -ne 0 ] && [ $status -ne 124 ] || { echo "expected a failure exit, got $status"; exit 1; }
[ "$(printf '%s\n' "$log" | grep -c .)" -eq 1 ] || { echo "expected one line, got: $log"; exit 1; }
grep -q "^ERROR: can't find the Resources/ folder in $elsewhere;" <<<"$log" || { echo "unexpected line: $log"; exit 1; }
echo "wrong folder ok"
