#!/usr/bin/env bash
# The game as a player gets it: installed into a temporary prefix, started from an
# unrelated folder. It finds its data from its own folder, writes the screenshot asked
# for with a relative path where the player is, and leaves the installed files alone.
#   installed_game.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --component game --prefix "$work/usr" >"$work/install.log"
for file in games/qvrn share/games/qvrn/Config/input_bindings.ini share/games/qvrn/Resources/Images/player.png \
  share/games/qvrn/Resources/Sounds/lie.wav share/games/qvrn/Resources/Scripts/start.py \
  share/games/qvrn/Resources/Scripts/tarvo.py share/applications/qvrn.desktop \
  share/icons/hicolor/128x128/apps/qvrn.png share/man/man6/qvrn.6.gz; do
  [ -f "$work/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
# The bytecode names the installed scripts, never the build's run folder.
if grep -rl "$build" "$work/usr/share/games/qvrn/Resources/Scripts"; then
  echo "build path inside the installed scripts"
  exit 1
fi
(cd "$work/usr" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/sums-before"

mkdir -p "$work/player/somewhere" "$work/player/config" "$work/player/data"
cd "$work/player/somewhere"
XDG_CONFIG_HOME="$work/player/config" XDG_DATA_HOME="$work/player/data" PYTHONDONTWRITEBYTECODE= \
  timeout 120 "$work/usr/games/qvrn" --frames 30 --fixed-dt 0.016 --seed 1 --no-msaa --screenshot shot.png \
  2>"$work/run.log" || { echo "the installed game failed"; cat "$work/run.log"; exit 1; }
[ -s shot.png ] || { echo "no screenshot in the folder the game was started in"; cat "$work/run.log"; exit 1; }
python3 "$source/tests/Program/png_pixel.py" shot.png 4 4 menu
if grep -q "ERROR" "$work/run.log"; then
  cat "$work/run.log"
  exit 1
fi

(cd "$work/usr" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/sums-after"
diff "$work/sums-before" "$work/sums-after" || { echo "the game changed its installed files"; exit 1; }
echo "installed game ok"
