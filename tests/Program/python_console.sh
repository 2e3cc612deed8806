#!/usr/bin/env bash
# The game in a real window with its Python console: backquote opens it, a line that
# raises leaves the game running, a line that makes a red actor (typing a tilde on the
# way) puts one on the screen, and the last frame (written at exit) shows it.
# $1: the game binary; runs in the run folder. Needs a display (the suite runs under Xvfb).
set -u
. "$(dirname "$0")/private_x.sh"
qvrn="$1"

# A display of its own: windows other tests open meanwhile take the keyboard focus, and
# with it typed characters.
if [ -z "${TARVO_OWN_DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  export TARVO_OWN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped"
  exit 0
fi

out=$(mktemp -d)
log="$out/log"
"$qvrn" --no-msaa --screenshot "$out/frame.png" >"$log" 2>&1 &
pid=$!
cleanup() {
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    sleep 1
    kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  rm -rf "$out"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- game log:"
  cat "$log"
  exit 1
}

window=$(timeout 60 xdotool search --sync --name '^QVRN$' | head -n 1)
[ -n "$window" ] || fail "the game window did not appear"
for _ in $(seq 1 100); do
  grep -qxF "Python initialized." "$log" && break
  sleep 0.2
done
grep -qxF "Python initialized." "$log" || fail "the script host did not start"

sleep 1
type_line() {
  timeout 30 xdotool type --window "$window" --delay 40 "$1" || fail "xdotool type"
  timeout 10 xdotool key --window "$window" --delay 80 Return || fail "xdotool key"
}
timeout 10 xdotool key --window "$window" --delay 80 grave || fail "xdotool key"
type_line "print(1 / 0)"
# Over the whole view, on a layer above the game's own.
# ~-2 is 1: Shift+backquote types the tilde instead of closing the console.
type_line "a = Actor(); a.SetSize(100.0); a.SetColor(~-2, 0.0, 0.0); World.GetInstance().Add(a, 1000)"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the game ended"

# Escape closes the console; the next one, unbound, ends the game and the last frame is
# written. On a busy machine a key can arrive late: Escape is sent again until it ends.
timeout 10 xdotool key --window "$window" Escape || fail "xdotool key"
for _ in $(seq 1 10); do
  sleep 1
  # The window may be gone before xdotool is done with it: its complaint is expected.
  timeout 10 xdotool key --window "$window" Escape >/dev/null 2>&1
  sleep 1
  kill -0 "$pid" 2>/dev/null || break
done
kill -0 "$pid" 2>/dev/null && fail "the game did not stop on an unbound Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q "ERROR: Swig director method error. Error detected when calling 'Console.Execute'" "$log" &&
  fail "the console's own Execute failed"
[ -s "$out/frame.png" ] || fail "no screenshot written"

# The bottom half of the window, which the console never covers, is red.
python3 - "$out/frame.png" <<'PY' || fail "no red actor in the last frame"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
pos, chunks, header = 8, [], None
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        header = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        chunks.append(body)
    pos += 12 + length
width, height, depth, colour = header[:4]
channels = {2: 3, 6: 4}[colour]
raw = zlib.decompress(b"".join(chunks))
stride = width * channels
rows, previous = [], bytearray(stride)
for y in range(height):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        left = line[i - channels] if i >= channels else 0
        up, corner = previous[i], previous[i - channels] if i >= channels else 0
        if kind == 1: line[i] = (line[i] + left) & 255
        elif kind == 2: line[i] = (line[i] + up) & 255
        elif kind == 3: line[i] = (line[i] + (left + up) // 2) & 255
        elif kind == 4:
            p = left + up - corner
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
            line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
    rows.append(line)
    previous = line
for x, y in [(20, 600), (512, 700), (1000, 500)]:
    r, g, b = rows[y][x * channels:x * channels + 3]
    if not (r > 200 and g < 50 and b < 50):
        sys.exit("pixel (%d, %d) is %s" % (x, y, (r, g, b)))
PY
echo "PASS: a red actor made from the Python console"
exit 0
