#!/usr/bin/env bash
# A game written in Python alone, as `tarvo pack --web` writes it (the web build packs the
# Python example into build/web/python-game/apple-drop-web), in headless Chromium: a seeded game played from an input script must draw the
# picture it drew when last checked by eye (tests/Web/reference/python_game.png), and
# with DESKTOP_RUNNER (build/release/Runner/tarvo) the very frame the desktop draws.
#   browser_python_game.sh PAGE_FOLDER [DESKTOP_RUNNER]
#   browser_python_game.sh PAGE_FOLDER --update     write the reference anew (then look)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
page=$(cd "$1" && pwd)
game=$here/../../examples/python
update=""
desktop=""
if [ "${2:-}" = "--update" ]; then update=1; else desktop=${2:-}; fi
reference=$here/reference/python_game.png
out=$(mktemp -d)
python=/usr/bin/python3

"$python" "$here/../../tools/serve-page.py" "$page" >"$out/address" 2>"$out/server.log" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$out"' EXIT
for _ in $(seq 50); do [ -s "$out/address" ] && break; sleep 0.1; done
address=$(head -1 "$out/address")
[ -n "$address" ] || { echo "the page server did not start:"; cat "$out/server.log"; exit 1; }

fail() {
  echo "browser Python game: $*"
  if [ -n "${KEEP_SCREENSHOTS:-}" ]; then
    mkdir -p "$KEEP_SCREENSHOTS" && cp "$out"/*.png "$out"/*.log "$KEEP_SCREENSHOTS"/ 2>/dev/null
    echo "screenshots and logs kept in $KEEP_SCREENSHOTS"
  fi
  exit 1
}

# Space starts, the basket goes left, then right, past falling apples and the pegs.
printf '%s\n' "10 key SPACE down" "13 key SPACE up" "40 key LEFT_ARROW down" "90 key LEFT_ARROW up" \
  "100 key RIGHT_ARROW down" "200 key RIGHT_ARROW up" >"$out/play.script"
options=(--seed 7 --fixed-dt 0.0166 --frames 240 --no-msaa)
input=$("$python" -c 'import sys, urllib.parse; print(urllib.parse.quote(open(sys.argv[1]).read()))' "$out/play.script")
"$python" "$here/page_shot.py" --until "The game has ended" \
  "${address}index.html?test&seed=7&fixed-dt=0.0166&no-msaa&frames=240&input=$input" \
  "$out/game.png" "$out/game.log" 2>"$out/game.error" || fail "$(cat "$out/game.error")"
grep -q "^Python initialized.$" "$out/game.log" || { cat "$out/game.log"; fail "Python did not start"; }
if grep -q "ERROR\|Error\|Traceback\|Aborted\|exception" "$out/game.log"; then
  cat "$out/game.log"
  fail "errors in the page's log"
fi
if [ -n "$update" ]; then
  cp "$out/game.png" "$reference"
  exit 0
fi
"$python" "$here/compare_png.py" "$out/game.png" "$reference" || fail "the game is not the picture it was"
# The same seed and input on the desktop: Python's random numbers and the engine's are the
# same there, and so is every frame.
if [ -n "$desktop" ]; then
  xvfb=()
  [ -n "${DISPLAY:-}" ] || xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
  timeout 240 "${xvfb[@]}" "$desktop" "$game" "${options[@]}" --input-script "$out/play.script" \
    --screenshot "$out/desktop.png" >"$out/desktop.log" 2>&1 || { cat "$out/desktop.log"; fail "the desktop runner failed"; }
  "$python" "$here/compare_png.py" "$out/desktop.png" "$out/game.png" ||
    fail "the desktop played another game from the same seed and input"
fi
echo "browser Python game ok"
