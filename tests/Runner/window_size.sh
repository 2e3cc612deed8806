#!/usr/bin/env bash
# A game's window size from its game.ini (played from the folder) and from its archive's
# manifest (played packed): the window and its frame are that size, and the camera keeps
# its meaning: a square at the origin is in the frame's middle, as many world units tall
# as in the engine's 1024 x 768 window. A size out of bounds, a width that is no number
# and a manifest whose window is out of bounds or malformed each get one WARNING, and the
# game plays in 1024 x 768; the packer warns of such a size too.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
. "$(dirname "$0")/lib/scratch.sh"
export XDG_CACHE_HOME=$out/cache PYTHONDONTWRITEBYTECODE=1

mkdir -p "$out/game"
cat >"$out/game/main.py" <<'PY'
from tarvo import *
World.GetInstance().SetBackgroundColor(Color(0.0, 0.0, 1.0))
square = Actor()
square.SetSize(2.0)
square.SetColor(1.0, 0.0, 0.0)
World.GetInstance().Add(square)
PY
settings() { printf '[game]\nname = sized\ntitle = Sized\n%s' "$1" >"$out/game/game.ini"; }

# play WHAT EXPECTED_WIDTH EXPECTED_HEIGHT EXPECTED_WARNINGS: plays the folder or archive
# and prints the square's height in pixels.
play() {
  rm -f "$out/shot.png"
  timeout 60 "$tarvo" "$1" --no-msaa --frames 3 --fixed-dt 0.016 --screenshot "$out/shot.png" >"$out/log" 2>&1 ||
    fail "playing $1: exit status $?"
  grep -q "ERROR" "$out/log" && fail "playing $1 logged an error"
  local warnings
  warnings=$(grep -c "WARNING.*window" "$out/log")
  [ "$warnings" -eq "$4" ] || fail "playing $1: $warnings window WARNINGs, not $4"
  python3 - "$out/shot.png" "$2" "$3" "$source_dir/tests/Program" <<'PY' || fail "the frame of $1"
import sys
sys.path.insert(0, sys.argv[4])
from png_pixel import read_png
rows, channels = read_png(sys.argv[1])
width, height = len(rows[0]) // channels, len(rows)
if (width, height) != (int(sys.argv[2]), int(sys.argv[3])):
    sys.exit("the frame is %d x %d, not %s x %s" % (width, height, sys.argv[2], sys.argv[3]))
def red(x, y):
    r, g, b = rows[y][x * channels:x * channels + 3]
    return r > 200 and g < 60 and b < 60
if not red(width // 2, height // 2):
    sys.exit("the square is not in the middle of the frame")
print(sum(red(width // 2, y) for y in range(height)))
PY
}

settings $'width = 640\nheight = 480\n'
small=$(play "$out/game" 640 480 0) || fail "$small"
(cd "$out" && "$tarvo" pack game) >"$out/log" 2>&1 || fail "pack: exit status $?"
grep -q "WARNING" "$out/log" && fail "pack warned about a size the runner applies"
packed=$(play "$out/sized.tarvo" 640 480 0) || fail "$packed"
[ "$packed" = "$small" ] || fail "the square is $packed pixels tall packed, $small from the folder"

# The fallbacks; one of them measures the square in the engine's own window.
for size in $'width = 100\nheight = 480\n' $'width = 640\nheight = 4000\n' $'width = wide\n'; do
  settings "$size"
  default=$(play "$out/game" 1024 768 1) || fail "$default"
done
# The packer warns of a size the runner won't open, and still records it.
settings $'width = 100\nheight = 480\n'
(cd "$out" && "$tarvo" pack game) >"$out/log" 2>&1 || fail "pack of a small window: exit status $?"
[ "$(grep -c "WARNING.*100 x 480 window" "$out/log")" -eq 1 ] || fail "pack did not warn once of a 100 x 480 window"
# The square spans the same share of the frame's height: 2 units of the same view.
python3 -c "import sys; sys.exit(abs($small / 480 - $default / 768) * 768 > 2)" ||
  fail "the square is $small of 480 pixels tall, but $default of 768"

for window in '{"width": 8000, "height": 480}' '"640x480"' '{"width": true, "height": 480}'; do
  python3 - "$out/sized.tarvo" "$out/edited.tarvo" "$window" <<'PY' || fail "editing the manifest"
import json, sys, zipfile
source, target = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2], "w")
for info in source.infolist():
    data = source.read(info)
    if info.filename == "tarvo-manifest.json":
        manifest = json.loads(data)
        manifest["window"] = json.loads(sys.argv[3])
        data = json.dumps(manifest).encode()
    target.writestr(info, data)
target.close()
PY
  result=$(play "$out/edited.tarvo" 1024 768 1) || fail "$result (window $window)"
done
echo "window sizes: OK (square $small px of 480, $default px of 768)"
