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

python3 - "$out/frame.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
pos, chunks = 8, {}
idat = b''
while pos < len(data):
    length, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b'IHDR':
        width, height, depth, colour = struct.unpack('>IIBB', body[:10])
    elif kind == b'IDAT':
        idat += body
    pos += 12 + length
channels = {2: 3, 6: 4}[colour]
raw = zlib.decompress(idat)
stride = width * channels
rows, prev = [], bytearray(stride)
for y in range(height):
    kind = raw[y * (stride + 1)]
    line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for x in range(stride):
        a = line[x - channels] if x >= channels else 0
        b = prev[x]
        c = prev[x - channels] if x >= channels else 0
        if kind == 1: line[x] = (line[x] + a) & 255
        elif kind == 2: line[x] = (line[x] + b) & 255
        elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
r, g, b = rows[4][4 * channels:4 * channels + 3]
# The menu's background is (237, 240, 230); the ticker's panel is nearly white.
if min(r, g, b) < 248:
    print("no play field on the last frame: pixel (4, 4) is", (r, g, b))
    sys.exit(1)
print("keyboard ok")
PY
