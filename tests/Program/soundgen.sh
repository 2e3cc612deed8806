#!/usr/bin/env bash
# The sound generator writes the same bytes on every run, and names a file it could not
# write (here: a full disk) before failing.
set -uo pipefail
soundgen=$2/soundgen
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$soundgen" "$scratch" || { echo "soundgen failed"; exit 1; }
for name in lie moneypickup liemeterbust stockgoal consumerdied; do
  cmp -s "$scratch/$name.wav" "Resources/Sounds/$name.wav" || { echo "$name.wav differs between runs"; exit 1; }
done
ln -sf /dev/full "$scratch/stockgoal.wav"
if "$soundgen" "$scratch" 2>"$scratch/errors"; then
  echo "a failed write went unreported"
  exit 1
fi
grep -qxF "soundgen: can't write $scratch/stockgoal.wav" "$scratch/errors" || { echo "no message naming the file"; cat "$scratch/errors"; exit 1; }
echo "soundgen ok"
