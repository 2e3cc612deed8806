#!/usr/bin/env bash
# What the runner says about a folder it can't play, in one line with status 2: no such
# folder, a folder without main.py, no folder at all, a folder name that is not UTF-8, a
# folder it may not read, a main.py that is a link in a loop. A main.py that raises while
# it is read logs its traceback and one ERROR line naming the file and line; the error
# view then shows over the window (its font is the engine's own: the folder has no
# Resources/) and the run ends at --frames with status 1, for the error. Game modules named like standard
# ones get a WARNING each and break neither the engine's imports nor its console.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
. "$(dirname "$0")/lib/scratch.sh"

# Bad folders: one line each, status 2, and no window.
refused() {
  local expected=$1
  shift
  local status=0
  (cd "$out" && timeout 30 "$tarvo" "$@") >"$out/log" 2>&1 || status=$?
  [ $status -eq 2 ] || fail "tarvo $*: exit status $status, not 2"
  [ "$(grep -c . "$out/log")" -eq 1 ] || fail "tarvo $*: not one line"
  grep -qxF "$expected" "$out/log" || fail "tarvo $*: expected \"$expected\""
}
mkdir "$out/empty"
refused "tarvo: no such folder: missing" missing --frames 2
refused "tarvo: empty has no start script main.py" empty --frames 2
refused "tarvo: the game folder comes first: tarvo GAME_FOLDER [options] (see --help)" --frames 2
mkdir "$out/caf$(printf '\xe9')"
refused "tarvo: the folder name caf\\xE9 is not UTF-8, in which Python names the game's files: rename it" \
  "caf$(printf '\xe9')" --frames 2
mkdir "$out/loop"
ln -s main.py "$out/loop/main.py"
refused "tarvo: loop/main.py is a symbolic link that leads round in a loop" loop --frames 2
# A folder its player may not read; root reads everything, so the check runs as nobody.
mkdir "$out/locked"
echo "pass" >"$out/locked/main.py"
chmod 000 "$out/locked"
chmod 755 "$out"
if [ "$(id -u)" -eq 0 ]; then
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  as_player=()
fi
status=0
(cd "$out" && timeout 30 "${as_player[@]}" "$tarvo" locked --frames 2) >"$out/log" 2>&1 || status=$?
[ $status -eq 2 ] || fail "a locked folder: exit status $status, not 2"
grep -qxF "tarvo: locked can't be read: permission denied" "$out/log" || fail "a locked folder is not told"
chmod 755 "$out/locked"

# A start script that raises on its fourth line, after making a red square.
mkdir "$out/broken"
cat >"$out/broken/main.py" <<'PY'
from tarvo import *
square = Actor(); square.SetSize(30.0); square.SetColor(1.0, 0.0, 0.0)
World.GetInstance().Add(square)
missing_function()
PY
status=0
(cd "$out" && PYTHONDONTWRITEBYTECODE=1 timeout 60 "$tarvo" broken --no-msaa --frames 30 --fixed-dt 0.016 \
  --screenshot shot.png) >"$out/log" 2>&1 || status=$?
[ $status -eq 1 ] || fail "a raising main.py: exit status $status, not 1"
grep -qxF "tarvo: the game ended on a script error it did not recover from (status 1)." "$out/log" ||
  fail "the status is not explained"
grep -q "^Traceback (most recent call last):" "$out/log" || fail "no traceback"
grep -qF "NameError: name 'missing_function' is not defined" "$out/log" || fail "no error in the traceback"
grep -qxF "ERROR: $(cd "$out" && pwd -P)/broken/main.py:4: NameError: name 'missing_function' is not defined" \
  "$out/log" || fail "no ERROR line naming main.py:4"
grep -q "Resources/Fonts/Inconsolata.otf" "$out/log" && fail "the engine's font was not used"
# The error view's dark panel covers the window; the red square the script made before
# it failed shows through it.
python3 "$source_dir/tests/Program/png_pixel.py" "$out/shot.png" 4 4 console || fail "no error view"
python3 - "$out/shot.png" "$source_dir/tests/Program" <<'PY' || fail "the square made before the failure is missing"
import sys
sys.path.insert(0, sys.argv[2])
from png_pixel import read_png
rows, channels = read_png(sys.argv[1])
r, g, b = rows[600][512 * channels:512 * channels + 3]
if not (r > g + 20 and r > b + 20):
    sys.exit("pixel (512, 600) is %s" % ((r, g, b),))
PY

# A game with its own random.py and code.py: the engine's seeding and the console still
# get Python's, and each of the two is named once.
mkdir "$out/shadows"
cat >"$out/shadows/random.py" <<'PY'
raise ImportError("the game's random.py was imported")
PY
cp "$out/shadows/random.py" "$out/shadows/code.py"
cat >"$out/shadows/main.py" <<'PY'
from tarvo import *
World.GetInstance().SetBackgroundColor(Color(0.0, 1.0, 0.0))
PY
status=0
(cd "$out" && PYTHONDONTWRITEBYTECODE=1 timeout 60 "$tarvo" shadows --no-msaa --seed 3 --frames 5 --fixed-dt 0.016) \
  >"$out/log" 2>&1 || status=$?
[ $status -eq 0 ] || fail "a game with a random.py: exit status $status"
grep -q "ERROR\|Traceback" "$out/log" && fail "a game with a random.py broke the engine"
for module in code random; do
  [ "$(grep -c "^WARNING: The game's $module.py has the name of Python's standard module $module" "$out/log")" -eq 1 ] ||
    fail "no single WARNING for $module.py"
done
echo "PASS: the runner's errors"
