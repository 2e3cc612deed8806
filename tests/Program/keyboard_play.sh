#!/usr/bin/env bash
# The real keyboard reaches the game: Enter on the menu starts a game, whose play field
# (the ticker's white panel in the top-left corner) is on the last frame.
set -uo pipefail
qvrn=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$qvrn" --no-msaa --seed 1 --screenshot "$out/frame.png" 2>"$out/log" &
pid=$!
if ! timeout 20 xdotool search --sync --name '^QVRN$' >/dev/null; then
  kill $pid 2>/dev/null; echo "the window never appeared"; exit 1
fi
id=$(xdotool search --name '^QVRN$' | head -n1)
xdotool windowfocus --sync "$id" 2>/dev/null || true
# The menu ignores keys for its first 0.3 s, and reads held keys once a frame: hold
# Enter long enough to be seen.
sleep 1
xdotool keydown Return; sleep 0.4; xdotool keyup Return
sleep 1.5
xdotool key Escape
for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  kill -9 $pid; echo "the game kept running"; exit 1
fi
wait $pid || { echo "exit status $?"; cat "$out/log"; exit 1; }

python3 "$(dirname "$0")/png_pixel.py" "$out/frame.png" 4 4 play || exit 1
echo "keyboard ok"
