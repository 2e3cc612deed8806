#!/usr/bin/env bash
# QVRN in headless Chromium, from the page in PAGE_FOLDER (build/web/page): a seeded game
# played by the desktop tests' input scripts, its frames compared with the pictures this
# renderer drew when they were last checked by eye (tests/Web/reference).
#   browser_game.sh PAGE_FOLDER [DESKTOP_GAME]    run the checks
#   browser_game.sh PAGE_FOLDER --update          write the references anew (then look)
# With DESKTOP_GAME (build/release/Game/qvrn), the desktop game plays the same seeded game
# too, and must draw the same game over.
# Each picture is a run of its own, stopped at the frame wanted: the page keeps the last
# frame on its canvas, and Chromium's screenshot is of the page as shown.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
page=$(cd "$1" && pwd)
update=""
desktop=""
if [ "${2:-}" = "--update" ]; then update=1; else desktop=${2:-}; fi
data=$here/../Program/data
references=$here/reference
out=$(mktemp -d)
python=/usr/bin/python3

# The page as built, and beside it the same page with a game pad faked in (pad.html).
site=$out/site
mkdir "$site"
ln -s "$page"/* "$site"/
"$python" "$here/fake_pad_page.py" "$page/qvrn.html" "$site/pad.html"
"$python" "$here/../../tools/serve-page.py" "$site" >"$out/address" 2>"$out/server.log" &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$out"' EXIT
for _ in $(seq 50); do [ -s "$out/address" ] && break; sleep 0.1; done
address=$(head -1 "$out/address")
[ -n "$address" ] || { echo "the page server did not start:"; cat "$out/server.log"; exit 1; }

fail() {
  echo "browser game: $*"
  if [ -n "${KEEP_SCREENSHOTS:-}" ]; then
    mkdir -p "$KEEP_SCREENSHOTS" && cp "$out"/*.png "$out"/*.log "$KEEP_SCREENSHOTS"/ 2>/dev/null
    echo "screenshots and logs kept in $KEEP_SCREENSHOTS"
  fi
  exit 1
}

# play SCRIPT FRAMES NAME [PROFILE [PAGE]]: the game with --seed 7 --fixed-dt 0.0166 from
# the script's lines, to frame FRAMES; leaves $out/NAME.png and the page's log in
# NAME.log. A PROFILE folder keeps the browser's storage between visits.
play() {
  local script=$1 frames=$2 name=$3 profile=${4:-$out/profile-$3} html=${5:-qvrn.html}
  local input
  input=$("$python" -c 'import sys, urllib.parse; print(urllib.parse.quote(open(sys.argv[1]).read()))' "$script")
  # The run ends at its last frame, and the page says so: the picture is taken then, the
  # frames having come as fast as the page could run them.
  "$python" "$here/page_shot.py" --until "QVRN has ended" --profile "$profile" \
    "${address}$html?test&seed=7&fixed-dt=0.0166&no-msaa&frames=$frames&input=$input" \
    "$out/$name.png" "$out/$name.log" 2>"$out/$name.error" ||
    fail "$name: $(cat "$out/$name.error")"
  # No sound at all, or a sound that failed, is a fault here: the browser is told to play.
  if grep -q "ERROR\|Aborted\|exception\|Sound error\|without sound" "$out/$name.log"; then
    cat "$out/$name.log"
    fail "$name: errors in the page's log"
  fi
}

# check NAME: against its reference, or written as one with --update.
check() {
  if [ -n "$update" ]; then
    cp "$out/$1.png" "$references/$1.png"
    return
  fi
  "$python" "$here/compare_png.py" "$out/$1.png" "$references/$1.png" || fail "$1 is not the picture it was"
}

# A refused option says so on the page, in the page's words, and keeps saying it once
# the runtime has finished starting.
"$python" "$here/page_shot.py" --until "qvrn: " --text-of status "${address}qvrn.html?seed=abc" \
  "$out/refused.png" "$out/refused.log" >"$out/refused.text" 2>"$out/refused.error" ||
  fail "refused: $(cat "$out/refused.error")"
expected="QVRN can't start with this address: seed needs a whole number from 0 to 4294967295, not \"abc\"."
[ "$(cat "$out/refused.text")" = "$expected" ] ||
  fail "a refused option: the page says \"$(cat "$out/refused.text")\", not \"$expected\""

play "$data/tutorial_credits.script" 25 menu
check menu
# Lying at the top left of the field: the red circle, the ticker climbing.
play "$data/full_game.script" 124 play
check play
# The first goal passed: the view widens and the new goal shows in a box.
play "$data/full_game.script" 307 levelup
check levelup
# The third bust: the result banner. The same game again gives the same pixels.
play "$data/full_game.script" 1024 over "$out/visits"
check over
play "$data/full_game.script" 1024 over_again
"$python" "$here/compare_png.py" --exact "$out/over.png" "$out/over_again.png" ||
  fail "two runs of the same seeded game drew different frames"
# A seed is the same game on the desktop: the same random numbers, drawn in the same order
# whatever the compiler.
# play_desktop SCRIPT FRAMES NAME: as play, in the desktop game; leaves $out/desktop_NAME.png.
play_desktop() {
  (cd "$run_folder" && XDG_DATA_HOME=$out/desktop-data timeout 240 "${xvfb[@]}" "$desktop" --no-msaa --no-save \
    --seed 7 --fixed-dt 0.0166 --frames "$2" --input-script "$1" \
    --screenshot "$out/desktop_$3.png" >"$out/desktop_$3.log" 2>&1) ||
    { cat "$out/desktop_$3.log"; fail "the desktop game failed ($3)"; }
}
if [ -n "$desktop" ]; then
  desktop=$(cd "$(dirname "$desktop")" && pwd)/$(basename "$desktop")
  run_folder=$(dirname "$(dirname "$desktop")")/run
  xvfb=()
  [ -n "${DISPLAY:-}" ] || xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
  play_desktop "$data/full_game.script" 1024 over
  "$python" "$here/compare_png.py" "$out/desktop_over.png" "$out/over.png" ||
    fail "the desktop played another game from the same seed and input"
fi
# Escape in the page ends a game as games end, with its result, and the menu comes back
# with its best price; the desktop would quit, but a page has nothing to go back to.
printf '%s\n' "30 key ENTER down" "33 key ENTER up" "100 key ESCAPE down" "103 key ESCAPE up" >"$out/leave.script"
play "$out/leave.script" 160 left
check left
play "$out/leave.script" 480 left_menu
check left_menu
# The browser kept the best price of the first visit: the menu shows it now.
play "$data/tutorial_credits.script" 25 menu_best "$out/visits"
"$python" "$here/compare_png.py" --differ "$out/menu.png" "$out/menu_best.png" ||
  fail "the menu after a finished game shows no best price"
check menu_best
# A pad the browser shows only once its button is pressed, long after the start: it is
# opened then, and its button A starts a game from the menu.
play "$data/tutorial_credits.script" 400 pad "" pad.html
grep -q "Controller 1 connected" "$out/pad.log" || { cat "$out/pad.log"; fail "the late pad was not opened"; }
"$python" "$here/compare_png.py" --differ "$out/menu.png" "$out/pad.png" || fail "the pad did not start a game"
# An input script reaches the page's console as the desktop's: GRAVE opens it, a text line
# types into its input line, and ENTER runs it in the page's Python: 42 shows under the
# line, on the frame as it was checked by eye. The console's lines and its input bar are
# held to every pixel (a wrong answer, 43, differs in fewer pixels than a whole frame may):
# the box of the page's reference, and the desktop game's console from the same script.
# Below the console the desktop's menu words its Escape otherwise than the page's.
console_text=0,340,400,412
printf '%s\n' "10 key GRAVE down" "12 key GRAVE up" "14 text print(6*7)" "16 key ENTER down" "18 key ENTER up" \
  >"$out/console.script"
play "$out/console.script" 30 console_answer
check console_answer
if [ -z "$update" ]; then
  "$python" "$here/compare_png.py" --text "$console_text" "$out/console_answer.png" \
    "$references/console_answer.png" || fail "the console's answer is not the one checked by eye"
fi
if [ -n "$desktop" ]; then
  play_desktop "$out/console.script" 30 console_answer
  "$python" "$here/compare_png.py" --text "$console_text" "$out/desktop_console_answer.png" \
    "$out/console_answer.png" || fail "the desktop drew another console from the same input"
fi
# The console runs Python in the page, against the live engine: the line's output shows,
# a failing line shows its traceback and the console answers the next one (also when a
# script class lacks a method the engine leaves to scripts, an error that crosses C++ as
# an exception), the standard modules games use are there, and Tab completes (\t below
# is the Tab key).
console_lines=(
  'print(6*7)'
  '1/0'
  'class Silent(Console): pass'
  ''
  'Silent().Execute("x")'
  'import json, math, random; print(json.dumps([math.floor(2.5), 0 <= random.random() < 1]))'
  'print(World.GetInst\t).GetConsole() is World.GetInstance().GetConsole())'
)
typing=()
for line in "${console_lines[@]}"; do
  typing+=(--evaluate "Module.ccall('TypeConsoleLine', null, ['string'], [$("$python" -c 'import json, sys; print(json.dumps(sys.argv[1].replace("\\t", "\t")))' "$line")])")
done
"$python" "$here/page_shot.py" --until "Python initialized." "${typing[@]}" --then "console: True" \
  "${address}qvrn.html?test&seed=7&fixed-dt=0.0166&no-msaa" "$out/console.png" "$out/console.log" \
  2>"$out/console.error" || fail "console: $(cat "$out/console.error")"
for expected in "console: >>> print(6*7)" "console: 42" "console: ZeroDivisionError: division by zero" \
  "console: RuntimeError: Swig director pure virtual method called Console::Execute" \
  "console: [2, true]" "console: >>> print(World.GetInstance().GetConsole() is World.GetInstance().GetConsole())" \
  "console: True"; do
  grep -qxF "$expected" "$out/console.log" || { cat "$out/console.log"; fail "the console did not show \"$expected\""; }
done
echo "browser game ok"
