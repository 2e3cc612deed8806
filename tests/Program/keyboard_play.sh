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

"$qvrn" --no-msaa --seed 1 --screenshot "$out/frame.png" 2>"$out/log" &
pid=$!
fail() {
  kill -9 $pid 2>/dev/null
  echo "$1"
  cat "$out/log"
  exit 1
}
timeout 60 xdotool search --sync --name '^QVRN$' >/dev/null || fail "the window never appeared"
id=$(xdotool search --name '^QVRN$' | head -n1)

shows() { xwd -id "$id" -silent >"$out/now.xwd" 2>/dev/null && python3 "$here/png_pixel.py" "$out/now.xwd" 4 4 "$1" >/dev/null; }
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
