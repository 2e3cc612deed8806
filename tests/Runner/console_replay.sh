#!/usr/bin/env bash
# A console session in a real window, scripted and recorded:
# 1. An input script opens the console (GRAVE), types print(6*7) (a text line) and Enter:
#    the console shows 42, and the last frame shows the console open.
# 2. The same session typed on the real keyboard with --record-input, then the recording
#    replayed: the console shows the same lines both times, and the replay ends on the
#    recorded Escapes (the first closes the console, the second the game).
# The game mirrors every line written to its console to standard error ("console: LINE"),
# which is how the test reads the console.
# $1: the runner; $2: the source tree. KEEP_SCREENSHOTS=FOLDER keeps the last frames.
set -uo pipefail
. "$2/tests/Program/private_x.sh"
tarvo=$1
here="$2/tests/Program"
out=$(mktemp -d)
pid=
trap 'kill -9 $pid 2>/dev/null; rm -rf "$out"' EXIT
fail() {
  kill -9 "$pid" 2>/dev/null
  echo "FAIL: $1"
  cat "$out/log" 2>/dev/null
  exit 1
}
console_lines() { sed -n 's/^console: //p' "$1"; }

mkdir "$out/mirror"
cat >"$out/mirror/main.py" <<'PY'
import sys
from tarvo import *

# White, so that the console's dark backdrop shows over the top half.
World.GetInstance().SetBackgroundColor(Color(1.0, 1.0, 1.0))

# Everything the console shows passes through its WriteToOutput, in pieces: the echo of
# the entered line, and what print() and tracebacks write.
console = World.GetInstance().GetConsole()
write_to_console = console.WriteToOutput
pending = []


def mirror(text):
    pending.append(text)
    lines = "".join(pending).split("\n")
    pending[:] = [lines.pop()]
    for line in lines:
        sys.__stderr__.write("console: " + line + "\n")
    write_to_console(text)


console.WriteToOutput = mirror
PY

# 1. Scripted.
cat >"$out/session.script" <<'SCRIPT'
# Open the console, type a line and enter it.
10 key GRAVE down
12 key GRAVE up
14 text print(6*7)
16 key ENTER down
18 key ENTER up
SCRIPT
(cd "$out" && timeout 120 "$tarvo" mirror --no-msaa --fixed-dt 0.0166 --frames 30 \
  --input-script session.script --screenshot scripted.png) >"$out/log" 2>&1 || fail "scripted run: status $?"
console_lines "$out/log" >"$out/scripted.lines"
grep -qxF ">>> print(6*7)" "$out/scripted.lines" || fail "the typed line is not in the console"
grep -qxF "42" "$out/scripted.lines" || fail "the console does not show 42"
python3 - "$here" "$out/scripted.png" <<'PY' || fail "the last frame shows no open console"
import sys
sys.path.insert(0, sys.argv[1])
from png_pixel import read_png
rows, channels = read_png(sys.argv[2])
pixel = lambda x, y: tuple(rows[y][x * channels:x * channels + 3])
# The backdrop darkens the top half; the bottom half keeps the white background.
sys.exit(0 if max(pixel(4, 4)) < 100 and min(pixel(4, 700)) > 200 else 1)
PY

# 2. Typed on the keyboard, recorded, replayed.
(cd "$out" && exec "$tarvo" mirror --no-msaa --fixed-dt 0.0166 --record-input typed.script) >"$out/log" 2>&1 &
pid=$!
timeout 60 xdotool search --sync --name '^mirror$' >/dev/null || fail "the window never appeared"
id=$(xdotool search --name '^mirror$' | head -n1)
focus() { xdotool windowfocus --sync "$id" 2>/dev/null || true; }
wait_for_line() {
  for _ in $(seq 100); do
    console_lines "$out/log" | grep -qxF "$1" && return 0
    sleep 0.2
  done
  return 1
}
focus
xdotool key grave
xdotool type --delay 60 'print(6*7)'
xdotool key Return
wait_for_line "42" || fail "the typed line did not run"
# Escape closes the console; the next one, unbound, ends the game. A key can arrive late
# on a busy machine, so Escape is sent until the game has gone.
focus
xdotool key Escape
for _ in $(seq 30); do
  sleep 0.5
  kill -0 $pid 2>/dev/null || break
  focus
  xdotool key Escape
done
kill -0 $pid 2>/dev/null && fail "Escape never ended the recorded game"
wait $pid || fail "the recorded game ended with status $?"
pid=
console_lines "$out/log" >"$out/typed.lines"
for line in "key GRAVE down" "key GRAVE up" "key ENTER down" "key ESCAPE down"; do
  grep -Eq "^[0-9]+ $line\$" "$out/typed.script" || fail "the recording lacks \"$line\": $(cat "$out/typed.script")"
done
# The characters follow their keys as text lines, which in order make the line typed.
typed=$(sed -n 's/^[0-9]* text //p' "$out/typed.script" | tr -d '\n')
[ "$typed" = "print(6*7)" ] || fail "the recording types \"$typed\": $(cat "$out/typed.script")"

(cd "$out" && timeout 120 "$tarvo" mirror --no-msaa --fixed-dt 0.0166 --frames 1000000 \
  --input-script typed.script --screenshot replayed.png) >"$out/log" 2>&1 || fail "replay: status $?"
console_lines "$out/log" >"$out/replayed.lines"
grep -qxF "42" "$out/replayed.lines" || fail "the replay's console does not show 42"
diff "$out/typed.lines" "$out/replayed.lines" >"$out/diff" ||
  fail "the replayed console shows other lines than the typed one: $(cat "$out/diff")"

if [ -n "${KEEP_SCREENSHOTS:-}" ]; then
  mkdir -p "$KEEP_SCREENSHOTS" && cp "$out"/*.png "$out"/*.script "$out"/*.lines "$KEEP_SCREENSHOTS"/
fi
echo "PASS: a console session, scripted and replayed"
