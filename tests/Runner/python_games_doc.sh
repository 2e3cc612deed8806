#!/usr/bin/env bash
# docs/python-games.md followed as written: its ```python blocks, in order, make the
# game's main.py (one that starts with "# NAME.py" is the file NAME.py instead), its
# ```ini block the key bindings. make_sounds.py runs, then the game plays under the
# runner with an input script: the ball breaks bricks, a missed ball costs lives until
# the game is over, Enter starts a new one, and the bricks make their sound.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
. "$(dirname "$0")/lib/scratch.sh"
game="$out/brickbreak"
mkdir -p "$game/Config"
python3 - "$source_dir/docs/python-games.md" "$game" <<'PY' || fail "the page's code could not be taken"
import os
import re
import sys

page, game = sys.argv[1], sys.argv[2]
blocks = re.findall(r"^```(python|ini)\n(.*?)^```$", open(page, encoding="utf-8").read(), re.M | re.S)
main = []
for kind, text in blocks:
    first = text.split("\n", 1)[0]
    named = re.match(r"# (\w+\.py)\b", first)
    if kind == "ini":
        open(os.path.join(game, "Config", "input_bindings.ini"), "w").write(text)
    elif named:
        open(os.path.join(game, named.group(1)), "w").write(text)
    else:
        main.append(text)
open(os.path.join(game, "main.py"), "w").write("\n".join(main))
if len(main) != 6:
    sys.exit("%d blocks for main.py, not 6" % len(main))
PY
(cd "$game" && python3 make_sounds.py) || fail "make_sounds.py failed"
[ -s "$game/Resources/Sounds/crack.wav" ] || fail "make_sounds.py made no crack.wav"

# Steer left a while, then let the ball go three times; Enter starts a new game.
cat >"$out/play.script" <<'SCRIPT'
30 key LEFT_ARROW down
60 key LEFT_ARROW up
1500 key ENTER down
1502 key ENTER up
SCRIPT
# Plays the game to frame $1, its last frame in $1.png, its sound in $1.raw.
play() {
  local status=0
  (cd "$out" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/$1.raw" PYTHONDONTWRITEBYTECODE=1 timeout 300 \
    "$tarvo" brickbreak --no-msaa --frames "$1" --fixed-dt 0.0166667 --input-script play.script \
    --screenshot "$1.png") >"$out/log" 2>&1 || status=$?
  [ $status -eq 0 ] || fail "exit status $status"
  grep -q "ERROR\|Traceback" "$out/log" && fail "the game logged an error"
}
# What the picture shows: walls, the bricks (all of them, or some broken), the score line
# (with "Game over" or without), and whether the bricks were heard.
check() {
  python3 - "$out/$1.png" "$source_dir/tests/Program" "$out/$1.raw" "$2" <<'PY'
import struct
import sys
sys.path.insert(0, sys.argv[2])
from png_pixel import read_png

rows, channels = read_png(sys.argv[1])
over = sys.argv[4] == "over"


def pixel(x, y):
    return tuple(rows[y][x * channels:x * channels + 3])


def near(x, y, expected, what):
    got = pixel(x, y)
    return all(abs(a - b) <= 30 for a, b in zip(got, expected))


if not (near(5, 400, (89, 97, 128), "") and near(512, 5, (89, 97, 128), "")):
    sys.exit("no walls")
bricks = 0
for row, colour in enumerate([(230, 77, 77), (242, 153, 64), (102, 204, 102), (89, 153, 242)]):
    bricks += sum(1 for column in range(10) if near(80 + column * 96, 96 + row * 38, colour, ""))
if over and not 0 < bricks < 40:
    sys.exit("%d bricks at the game's end: none was broken" % bricks)
if not over and bricks != 40:
    sys.exit("%d bricks in a new game" % bricks)
# The score line, longer with "Game over: Enter plays again" after it.
light = sum(1 for x in range(400, 620) for y in range(730, 760) if min(pixel(x, y)) > 180)
if over != (light > 50):
    sys.exit("the score line does not say the game is over" if over else "the score line still says game over")
samples = open(sys.argv[3], "rb").read()
if max(abs(v) for v in struct.unpack("<%dh" % (len(samples) // 2), samples)) < 1000:
    sys.exit("no sound was heard")
PY
}
play 1490
check 1490 over || fail "the game did not end as it should"
play 1560
check 1560 new || fail "Enter did not start a new game"
echo "PASS: docs/python-games.md makes a game that plays"
