#!/usr/bin/env bash
# A normal run of the game and of every example exits 0 with the leak checker on: the
# status of a sanitized program means something only if system-library leaks don't
# count and our own still would.
set -uo pipefail
qvrn=$1
build=$2
if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped"
  exit 0
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status_all=0
for program in "$qvrn" "$build/examples/showcase/showcase" "$build/examples/physics/physics_example" \
  "$build/examples/sound_board/sound_board"; do
  [ -x "$program" ] || continue
  SDL_AUDIODRIVER=dummy timeout 120 "$program" --frames 20 --fixed-dt 0.02 --no-msaa >"$log" 2>&1
  status=$?
  if [ $status -ne 0 ]; then
    echo "$(basename "$program"): exit status $status"
    grep -E "ERROR|SUMMARY|Direct leak|Indirect leak|#[0-9]" "$log" | head -n 30
    status_all=1
  else
    echo "$(basename "$program") ok"
  fi
done
exit $status_all
