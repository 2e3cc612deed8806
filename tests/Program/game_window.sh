# Sourced by the program tests that play the game in a window: start_game ARGS... starts
# "$qvrn" with its log in "$out/log" and sets pid and id (the window); fail prints the
# reason and the log, and ends the test; shows NAME tells whether the window shows the
# menu, play field or console (png_pixel.py's names). Needs qvrn, here and out set.
start_game() {
  "$qvrn" "$@" 2>"$out/log" &
  pid=$!
  timeout 60 xdotool search --sync --name '^QVRN$' >/dev/null || fail "the window never appeared"
  id=$(xdotool search --name '^QVRN$' | head -n1)
}
fail() {
  kill -9 "$pid" 2>/dev/null
  echo "$1"
  cat "$out/log"
  exit 1
}
shows() { xwd -id "$id" -silent >"$out/now.xwd" 2>/dev/null && python3 "$here/png_pixel.py" "$out/now.xwd" 4 4 "$1" >/dev/null; }
