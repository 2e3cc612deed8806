#!/usr/bin/env bash
# Something other than a price file where the best price is kept (a FIFO, whose opening
# would wait for a writer) neither holds the game up nor is replaced.
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/qvrn"
mkfifo "$out/qvrn/best-price"
XDG_DATA_HOME=$out SDL_AUDIODRIVER=dummy timeout 60 "$qvrn" --frames 5 --fixed-dt 0.02 --no-msaa >"$out/log" 2>&1
status=$?
[ $status -eq 0 ] || { echo "expected status 0, got $status"; cat "$out/log"; exit 1; }
[ "$(grep -c "^WARNING: .*best-price" "$out/log")" -eq 1 ] || { echo "expected one warning:"; cat "$out/log"; exit 1; }
[ -p "$out/qvrn/best-price" ] || { echo "the FIFO was replaced"; exit 1; }
echo "best price ok"
