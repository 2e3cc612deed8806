#!/usr/bin/env bash
# A game whose script fails stops and shows what failed over its last frame, in its own
# window: played with the real keyboard, R reloads the fixed main.py and the game goes
# on, and Escape quits with status 0. A syntax error in main.py shows the same view.
# sys.exit(n), in main.py or in an Update, ends the runner with status n.
# Nothing here may depend on the machine's speed: each key is repeated until its effect
# shows in the window.
# $1: the runner; $2: the source tree.
set -uo pipefail
. "$2/tests/Program/private_x.sh"
tarvo=$1
source_dir=$2
here="$source_dir/tests/Program"
out=$(mktemp -d)
pid=
trap 'kill -9 $pid 2>/dev/null; rm -rf "$out"' EXIT
fail() {
  kill -9 "$pid" 2>/dev/null
  echo "FAIL: $1"
  cat "$out/log" 2>/dev/null
  exit 1
}

# What a picture shows: the error view (its dark panel in the top-left corner and its red
# title along the first line), or the game's own background (blue before the fix, green
# after it). A window not drawn yet is black, which is no view.
cat >"$out/looks.py" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from png_pixel import read_png, xwd_pixel
path, what = sys.argv[2], sys.argv[3]
if path.endswith(".xwd"):
    pixel = lambda x, y: xwd_pixel(path, x, y)
else:
    rows, channels = read_png(path)
    pixel = lambda x, y: tuple(rows[y][x * channels:x * channels + 3])
r, g, b = pixel(4, 4)
if what == "view":
    title = sum(1 for x in range(40, 560, 2) for y in range(40, 62, 2)
                if (lambda p: p[0] > 200 and p[1] < 160 and p[2] < 160)(pixel(x, y)))
    ok = max(r, g, b) < 60 and title > 20
elif what == "blue":
    ok = b > 150 and r < 120
elif what == "green":
    ok = g > 150 and r < 120 and b < 120
sys.exit(0 if ok else 1)
PY
looks() { python3 "$out/looks.py" "$here" "$1" "$2"; }

mkdir "$out/crash"
cat >"$out/crash/main.py" <<'PY'
from tarvo import *

World.GetInstance().SetBackgroundColor(Color(0.2, 0.4, 0.9))


def explode(count):
    return 10 / count


class Bomb(Actor):
    def __init__(self):
        Actor.__init__(self)
        self.age = 0.0

    def Update(self, dt):
        Actor.Update(self, dt)
        self.age += dt
        if self.age > 0.5:
            explode(0)


World.GetInstance().Add(Bomb())
PY
(cd "$out" && "$tarvo" crash --no-msaa) >"$out/log" 2>&1 &
pid=$!
timeout 60 xdotool search --sync --name '^crash$' >/dev/null || fail "the window never appeared"
id=$(xdotool search --name '^crash$' | head -n1)
dump() { xwd -id "$id" -silent >"$out/now.xwd" 2>/dev/null; }
focus() { xdotool windowfocus --sync "$id" 2>/dev/null || true; }

for _ in $(seq 60); do
  dump && looks "$out/now.xwd" view && break
  sleep 0.5
done
looks "$out/now.xwd" view || fail "the error view never showed"
grep -qF 'File "'"$(cd "$out" && pwd -P)"'/crash/main.py", line 7, in explode' "$out/log" ||
  fail "no whole traceback with file and line on standard error"
grep -qF "ERROR: Swig director method error. Error detected when calling 'Actor.Update'" "$out/log" ||
  fail "no ERROR line"
# Stopped: the view stays, however long the bomb would go on raising.
sleep 1
[ "$(grep -c "Traceback" "$out/log")" -eq 1 ] || fail "the failing Update ran again while the view showed"

# Fixed, with a green background, and reloaded with R.
sed -i 's/Color(0.2, 0.4, 0.9)/Color(0.2, 0.8, 0.3)/; s/explode(0)/pass/' "$out/crash/main.py"
for _ in $(seq 60); do
  dump && looks "$out/now.xwd" green && break
  focus
  xdotool key r
  sleep 0.5
done
looks "$out/now.xwd" green || fail "R did not reload the fixed game"
grep -qxF "Reloading the game (R on the error view)." "$out/log" || fail "no word of the reload"

# reload() typed in the console over the running game: main.py broken, the view shows the
# new failure; fixed, reload() over the view brings the game back.
console_reload() {
  focus
  xdotool key grave
  sleep 0.3
  xdotool type --delay 50 'reload()'
  xdotool key Return
  sleep 0.3
  xdotool key grave
  sleep 0.5
}
echo "undefined_name" >>"$out/crash/main.py"
for _ in $(seq 30); do
  dump && looks "$out/now.xwd" view && break
  console_reload
done
looks "$out/now.xwd" view || fail "a reload that fails shows no error view"
grep -q "NameError: name 'undefined_name'" "$out/log" || fail "the new failure is not told"
sed -i '/^undefined_name$/d' "$out/crash/main.py"
for _ in $(seq 30); do
  dump && looks "$out/now.xwd" green && break
  console_reload
done
looks "$out/now.xwd" green || fail "reload() typed in the console did not bring the game back"

for _ in $(seq 60); do
  kill -0 $pid 2>/dev/null || break
  focus
  xdotool key Escape
  sleep 0.5
done
kill -0 $pid 2>/dev/null && fail "Escape never ended the game"
wait $pid
status=$?
pid=
[ $status -eq 0 ] || fail "Escape ended the game with status $status"

# A syntax error shows the same view over what the window showed (nothing yet).
mkdir "$out/syntax"
printf 'from tarvo import *\nprint("unfinished"\n' >"$out/syntax/main.py"
status=0
(cd "$out" && timeout 60 "$tarvo" syntax --no-msaa --frames 10 --screenshot syntax.png) >"$out/log" 2>&1 || status=$?
[ $status -eq 1 ] || fail "a syntax error: status $status at the end of its frames, not 1"
looks "$out/syntax.png" view || fail "a syntax error shows no error view"
grep -qF "SyntaxError" "$out/log" || fail "the syntax error is not told"

# sys.exit(n) is the runner's status, from main.py or from an Update.
exits_with() {
  local expected=$1 folder=$2
  local status=0
  (cd "$out" && timeout 60 "$tarvo" "$folder" --no-msaa --frames 100 --fixed-dt 0.016) >"$out/log" 2>&1 ||
    status=$?
  [ $status -eq "$expected" ] || fail "$folder: status $status, not $expected"
}
mkdir "$out/exit3" "$out/exit5" "$out/exitword"
printf 'import sys\nsys.exit(3)\n' >"$out/exit3/main.py"
cat >"$out/exit5/main.py" <<'PY'
import sys
from tarvo import *


class Quitter(Actor):
    def Update(self, dt):
        sys.exit(5)


World.GetInstance().Add(Quitter())
PY
printf 'import sys\nsys.exit("goodbye")\n' >"$out/exitword/main.py"
exits_with 3 exit3
exits_with 5 exit5
exits_with 1 exitword
grep -qx "goodbye" "$out/log" || fail "sys.exit's message is not shown"
echo "PASS: the error view"
