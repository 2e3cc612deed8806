#!/usr/bin/env bash
# Space held through a whole game and on after its end: the game ends by its three busts,
# and the menu that comes back is not started again by the key still held from the game.
set -uo pipefail
qvrn=$1
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%s\n' "30 key ENTER down" "33 key ENTER up" "40 key SPACE down" >"$out/held.script"

# shot FRAMES NAME: the seeded game to that frame, leaving $out/NAME.png.
shot() {
  XDG_DATA_HOME=$out/data timeout 240 "$qvrn" --no-msaa --no-save --seed 7 --fixed-dt 0.0166 --frames "$1" \
    --input-script "$out/held.script" --screenshot "$out/$2.png" 2>"$out/$2.log" ||
    { echo "$2: exit status $?"; cat "$out/$2.log"; exit 1; }
}

# Lying without pause busts every five seconds: the third ends the game at about frame
# 700, and the menu is back five seconds later.
shot 600 playing
python3 "$here/png_pixel.py" "$out/playing.png" 4 4 play || exit 1
# Five more seconds on the menu, space held all along: the menu stays.
shot 1300 menu
python3 "$here/png_pixel.py" "$out/menu.png" 4 4 menu || { echo "the held key started another game"; exit 1; }
python3 "$here/png_count.py" "$out/menu.png" 775 165 880 205 red 300 "red title on the menu" || exit 1
echo "held keys ok"
