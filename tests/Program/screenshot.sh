#!/usr/bin/env bash
# The game runs a fixed number of frames and leaves a 1024 x 768 picture of the last one;
# a scripted Escape leaves the last frame drawn before it.
set -euo pipefail
qvrn=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The image library is not loaded with the game but opened when the first image is read,
# and the picture below is written through it.
if readelf -d "$qvrn" | grep -q 'NEEDED.*libfreeimage'; then
  echo "the game links the image library"
  exit 1
fi

"$qvrn" --frames 60 --fixed-dt 0.016 --seed 1 --screenshot "$out/frame.png" 2>"$out/log"
[ -s "$out/frame.png" ] || { echo "no screenshot written"; cat "$out/log"; exit 1; }
# The PNG header holds width and height as big-endian numbers at bytes 16..23.
size=$(od -An -tu1 -j16 -N8 "$out/frame.png" | tr -s ' ')
[ "$size" = " 0 0 4 0 0 0 3 0" ] || { echo "unexpected PNG size bytes:$size"; exit 1; }
echo "screenshot ok"

# Escape from an input script stops the game before its frame is drawn: the picture is
# the frame before it, as with a live Escape, and the run ends with status 0.
here=$(dirname "$0")
printf '40 key ESCAPE down\n' >"$out/escape.script"
status=0
"$qvrn" --no-msaa --frames 600 --fixed-dt 0.016 --seed 1 --input-script "$out/escape.script" \
  --screenshot "$out/escaped.png" 2>"$out/escape.log" || status=$?
[ $status -eq 0 ] || { echo "scripted Escape: exit status $status"; cat "$out/escape.log"; exit 1; }
[ -s "$out/escaped.png" ] || { echo "scripted Escape: no screenshot written"; cat "$out/escape.log"; exit 1; }
python3 "$here/png_count.py" "$out/escaped.png" 775 165 880 205 red 300 "red title of the menu after Escape" || exit 1
echo "screenshot after a scripted Escape ok"
