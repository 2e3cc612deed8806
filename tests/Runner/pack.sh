#!/usr/bin/env bash
# `tarvo pack` and `tarvo GAME.tarvo`, the round trip a maker and a player make: a small
# game with a module in a subfolder and a game.ini is packed (without its hidden folder
# and bytecode), played from the archive in a real window (it writes a line and paints
# the background), unpacked once into the player's private cache and found there the
# second time; the same folder packs to the same bytes, an edited one to a new cache
# entry, and an archive written into the folder it packs never holds its older self.
# Folders the packer refuses get one line and status 2, and no archive.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
. "$(dirname "$0")/lib/scratch.sh"
export XDG_CACHE_HOME=$out/cache PYTHONDONTWRITEBYTECODE=1

mkdir -p "$out/game/lib" "$out/game/.git" "$out/game/__pycache__" "$out/play"
cat >"$out/game/main.py" <<'PY'
import os
from tarvo import *
from lib.colours import BACKGROUND
World.GetInstance().SetBackgroundColor(Color(*BACKGROUND))
with open(os.environ["ROUNDTRIP_LINE"], "w") as f:
    f.write("hello from the archive\n")
PY
echo "BACKGROUND = (0.0, 0.5, 1.0)" >"$out/game/lib/colours.py"
touch "$out/game/lib/__init__.py" "$out/game/.git/HEAD" "$out/game/__pycache__/main.cpython-311.pyc"
printf '[game]\nname = roundtrip\ntitle = Round Trip\nversion = 2.5\n' >"$out/game/game.ini"

(cd "$out/play" && "$tarvo" pack ../game) >"$out/log" 2>&1 || fail "pack: exit status $?"
grep -qx "./roundtrip.tarvo" "$out/log" || fail "pack does not print the archive's path"
python3 - "$out/play/roundtrip.tarvo" <<'PY' || fail "the archive's members or manifest"
import json, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
names = archive.namelist()
expected = ["tarvo-manifest.json", "game.ini", "main.py", "lib/__init__.py", "lib/colours.py"]
if names != expected:
    sys.exit("members %s, not %s" % (names, expected))
manifest = json.loads(archive.read("tarvo-manifest.json"))
if manifest["title"] != "Round Trip" or manifest["version"] != "2.5" or \
        manifest["window"] != {"width": 1024, "height": 768} or not manifest["engine"][0].isdigit():
    sys.exit("manifest %s" % manifest)
PY

play() {
  rm -f "$out/line"
  (cd "$out/play" && ROUNDTRIP_LINE=$out/line timeout 60 "$tarvo" roundtrip.tarvo --no-msaa --frames 5 --fixed-dt 0.016 --screenshot shot.png) \
    >"$out/log" 2>&1 || fail "playing the archive: exit status $?"
  grep -qx "hello from the archive" "$out/line" || fail "the game's line is missing"
  grep -q "ERROR" "$out/log" && fail "the game logged an error"
}
play
python3 - "$out/play/shot.png" "$source_dir/tests/Program" <<'PY' || fail "the game's background is not on the frame"
import sys
sys.path.insert(0, sys.argv[2])
from png_pixel import read_png
rows, channels = read_png(sys.argv[1])
r, g, b = rows[384][512 * channels:512 * channels + 3]
if abs(r - 0) > 4 or abs(g - 128) > 4 or abs(b - 255) > 4:
    sys.exit("pixel (512, 384) is %s" % ((r, g, b),))
PY
games=$out/cache/tarvo/games
[ "$(stat -c %a "$out/cache/tarvo")" = 700 ] || fail "the player's cache folder is not private"
[ "$(ls -A "$games" | wc -l)" -eq 1 ] || fail "not one unpacked game: $(ls -A "$games")"
entry=$(ls "$games")
[ -f "$games/$entry/lib/colours.py" ] || fail "the subfolder was not unpacked"
touch -d '2 hours ago' "$games/$entry"
play
[ "$(ls "$games")" = "$entry" ] || fail "the second play unpacked again"
[ "$(find "$games/$entry" -maxdepth 0 -mmin -60)" ] || fail "the second play did not mark the game as played"

cp "$out/play/roundtrip.tarvo" "$out/first.tarvo"
(cd "$out/play" && "$tarvo" pack ../game >/dev/null 2>&1) || fail "packing again"
cmp -s "$out/first.tarvo" "$out/play/roundtrip.tarvo" || fail "the same folder packed to other bytes"
echo "BACKGROUND = (1.0, 0.0, 0.0)" >"$out/game/lib/colours.py"
(cd "$out/play" && "$tarvo" pack ../game >/dev/null 2>&1) || fail "packing the edited game"
play
[ "$(ls -A "$games" | wc -l)" -eq 2 ] || fail "the edited archive did not get its own cache entry"

# Packed into its own folder, twice: the second archive does not hold the first.
(cd "$out/game" && "$tarvo" pack . >/dev/null 2>&1 && "$tarvo" pack . >/dev/null 2>&1) || fail "packing in place"
python3 -c "import sys, zipfile; n = zipfile.ZipFile(sys.argv[1]).namelist(); sys.exit('holds %s' % n if 'roundtrip.tarvo' in n else 0)" \
  "$out/game/roundtrip.tarvo" || fail "an archive packed in place holds its older self"

# Folders the packer refuses: one line, status 2, nothing written.
refused() {
  local expected=$1
  shift
  local status=0
  (cd "$out/play" && "$tarvo" pack "$@") >"$out/log" 2>&1 || status=$?
  [ $status -eq 2 ] || fail "tarvo pack $*: exit status $status, not 2"
  [ "$(grep -c . "$out/log")" -eq 1 ] || fail "tarvo pack $*: not one line"
  grep -qF -- "$expected" "$out/log" || fail "tarvo pack $*: expected \"$expected\""
}
rm -f "$out/play"/*.tarvo
mkdir -p "$out/empty" "$out/broken" "$out/badversion"
refused "tarvo: ../empty has no start script main.py" ../empty
refused "tarvo: no such folder: ../missing" ../missing
printf 'x = 1\nif x\n    pass\n' >"$out/broken/main.py"
refused "tarvo: ../broken/main.py:2: SyntaxError" ../broken
echo pass >"$out/badversion/main.py"
printf '[game]\nversion = beta\n' >"$out/badversion/game.ini"
refused "version 'beta' must start with a digit" ../badversion
refused "usage: tarvo pack [--deb | --web] [--output FOLDER] GAME_FOLDER" --frames 2 ../game
refused "--deb and --web make one thing each" --deb --web ../game
# The build's engine data has no web page (the package's has, tools/package.sh).
TARVO_WEB_RUNNER_PAGE= refused "tarvo: the engine's web page is missing" --web ../game
[ -z "$(ls -A "$out/play" | grep -v '^shot.png$')" ] || fail "a refused pack wrote $(ls -A "$out/play")"
echo "PASS: pack and play a game archive"
