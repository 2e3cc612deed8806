#!/usr/bin/env bash
# A whole game from a script: Enter on the menu starts it, space held from then on lies
# until the third bust; the result shows, and five seconds later the menu is back. The
# same seed, frame time and script give the same frames: two runs stopped in the middle
# of the game (the ticker shows the price) leave identical pictures.
set -uo pipefail
qvrn=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_DATA_HOME=$out/data

# Space is also the menu's confirm: let go before the game hands back to the menu.
printf '# menu, then Play\n30 key ENTER down\n40 key ENTER up\n# lie, and lie, and lie\n60 key SPACE down\n900 key SPACE up\n' \
  >"$out/game.script"
run() {
  timeout 240 "$qvrn" --no-msaa --seed 7 --fixed-dt 0.0166 --frames "$1" --input-script "$out/game.script" \
    --screenshot "$2" 2>"$out/log"
  local status=$?
  [ $status -eq 0 ] || { echo "run of $1 frames: exit status $status"; cat "$out/log"; exit 1; }
}

run 500 "$out/a.png"
run 500 "$out/b.png"
cmp -s "$out/a.png" "$out/b.png" || { echo "two runs of the same script differ"; exit 1; }

# Busts at about 0.8 s, 6.6 s and 12.4 s of lying; game over, then "Back" 5 s later.
run 1400 "$out/end.png"
grep -q "ERROR" "$out/log" && { echo "errors in the log:"; cat "$out/log"; exit 1; }
[ -s "$XDG_DATA_HOME/qvrn/best-price" ] || { echo "the finished game recorded no best price"; exit 1; }
python3 "$(dirname "$0")/png_pixel.py" "$out/end.png" 4 4 menu || exit 1
python3 "$(dirname "$0")/png_pixel.py" "$out/a.png" 4 4 play || exit 1
echo "scripted game ok"
