#!/usr/bin/env bash
# The Python example plays under the runner from a scripted start: space starts a round,
# the basket walks left under the first apple and catches it. The last frame shows the
# play field (sky, pegs, basket, grass), the catch's red burst at the basket and the score
# lit up. Started from another folder, its relative --screenshot lands there, and the
# game folder is left as it was.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
set -uo pipefail
tarvo=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cp -r "$source_dir/examples/python" "$out/game"
mkdir "$out/start"
before=$(cd "$out/game" && find . | sort)
cat >"$out/start/catch.script" <<'SCRIPT'
10 key SPACE down
12 key SPACE up
150 key LEFT_ARROW down
190 key LEFT_ARROW up
SCRIPT

status=0
(cd "$out/start" && PYTHONDONTWRITEBYTECODE=1 "$tarvo" ../game --no-msaa --frames 250 --fixed-dt 0.016 --seed 1 \
  --input-script catch.script --screenshot shot.png) >"$out/log" 2>&1 || status=$?
fail() {
  echo "FAIL: $1"
  cat "$out/log"
  exit 1
}
[ $status -eq 0 ] || fail "exit status $status"
grep -q "ERROR" "$out/log" && fail "the game logged an error"
[ -s "$out/start/shot.png" ] || fail "no screenshot in the folder the runner was started in"
[ "$(cd "$out/game" && find . | sort)" = "$before" ] || fail "the game folder changed"

python3 - "$out/start/shot.png" "$source_dir/tests/Program" <<'PY' || fail "the screenshot is not the example's play field after a catch"
import sys
sys.path.insert(0, sys.argv[2])
from png_pixel import read_png

rows, channels = read_png(sys.argv[1])


def pixel(x, y):
    return tuple(rows[y][x * channels:x * channels + 3])


def near(x, y, expected, what):
    got = pixel(x, y)
    if any(abs(a - b) > 24 for a, b in zip(got, expected)):
        sys.exit("%s: pixel (%d, %d) is %s, not near %s" % (what, x, y, got, expected))


def count(box, test):
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right) if test(*pixel(x, y)))


near(512, 560, (158, 209, 245), "sky")
near(166, 249, (89, 64, 153), "peg")
near(512, 740, (76, 166, 64), "grass")
near(165, 675, (140, 86, 42), "basket, walked left")
red = count((100, 590, 240, 660), lambda r, g, b: r > 200 and g < 120 and b < 120)
if red < 300:
    sys.exit("only %d red pixels of the catch's burst over the basket" % red)
yellow = count((10, 15, 110, 45), lambda r, g, b: r > 200 and g > 200 and b < 150)
if yellow < 40:
    sys.exit("the score is not lit up (%d yellow pixels)" % yellow)
PY
echo "PASS: the Python example catches an apple"
