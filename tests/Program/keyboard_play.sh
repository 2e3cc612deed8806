#!/usr/bin/env bash
# The real keyboard reaches the game: Enter on the menu starts a game, whose play field
# (the ticker's white panel in the top-left corner) is on the last frame, and an unbound
# Escape quits.
# Nothing here may depend on the machine's speed: every key is repeated until its effect
# is seen in the window.
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

. "$here/game_window.sh"
pid=
start_game --no-msaa --seed 1 --screenshot "$out/frame.png"

focus() { xdotool windowfocus --sync "$id" 2>/dev/null || true; }

# The menu ignores keys for its first 0.3 s and reads held keys once a frame: hold Enter
# until the play field shows.
for _ in $(seq 60); do
  shows play && break
  focus
  xdotool keydown Return; sleep 0.5; xdotool keyup Return
  sleep 0.5
done
shows play || fail "Enter never started a game"

for _ in $(seq 60); do
  kill -0 $pid 2>/dev/null || break
  focus
  xdotool key Escape
  sleep 1
done
kill -0 $pid 2>/dev/null && fail "Escape never stopped the game"
wait $pid || fail "exit status $?"

python3 "$here/png_pixel.py" "$out/frame.png" 4 4 play || exit 1
echo "keyboard ok"
