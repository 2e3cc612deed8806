#!/usr/bin/env bash
# The slow package check, kept out of tools/test.sh: builds the game's and the engine's
# Debian packages (tools/package.sh), makes a fresh Debian 12 in a throw-away root with
# debootstrap (from deb.debian.org), installs both there with apt (and cmake, g++ and
# make, which a game maker brings), and as an ordinary user in unrelated folders, under
# a virtual X server:
#   - runs `qvrn --frames 30 --screenshot shot.png`: the game as a player gets it;
#   - runs `tarvo /usr/share/tarvo/examples/python` the same way: the Python example;
#   - copies examples/standalone, builds it with nothing but find_package(Tarvo) and runs
#     it for a few frames with a screenshot: a C++ game on the installed engine.
# Each screenshot must land where it was asked for, and the installed files must stay as
# the packages put them. Needs root and the network; takes several minutes.
#   tools/test-package-install.sh [GAME.deb ENGINE.deb]   (default: build them)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

bash tools/setup.sh
if [ $# -ge 2 ]; then
  game_deb=$(realpath "$1")
  engine_deb=$(realpath "$2")
else
  built=$(bash tools/package.sh | tail -n 2)
  game_deb=$source_dir/$(head -n 1 <<<"$built")
  engine_deb=$source_dir/$(tail -n 1 <<<"$built")
fi

. tools/fresh-debian-root.sh
mkdir -p build/package
make_fresh_root qvrn-root build/package/debootstrap.log

cp "$game_deb" "$engine_deb" "$root/tmp/"
cp -r "$source_dir/examples/standalone" "$root/tmp/standalone"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$game_deb")" "/tmp/$(basename "$engine_deb")" xvfb xauth cmake g++ make >/dev/null
echo "installed: $(($(date +%s) - started)) s"

in_root useradd --create-home player
# A login shell, so that the PATH is a player's (with /usr/games).
as_player() { in_root su - player -c "$1" >"$root/tmp/run.log" 2>&1 || { cat "$root/tmp/run.log"; exit 1; }; }
no_errors() {
  if grep -q "ERROR" "$root/tmp/run.log"; then
    echo "$1 logged an error:"
    cat "$root/tmp/run.log"
    exit 1
  fi
}
xvfb='xvfb-run -a -s "-screen 0 1280x1024x24"'

# The game, from a folder that has nothing to do with it.
as_player "mkdir -p somewhere && cd somewhere && $xvfb qvrn --frames 30 --no-msaa --screenshot shot.png"
shot=$root/home/player/somewhere/shot.png
[ -s "$shot" ] || { echo "no screenshot where the player started the game"; cat "$root/tmp/run.log"; exit 1; }
python3 tests/Program/png_pixel.py "$shot" 4 4 menu
no_errors qvrn
echo "the game ran: $(($(date +%s) - started)) s"

# The Python example through the runner, from another such folder.
as_player "mkdir -p elsewhere && cd elsewhere &&
  $xvfb tarvo /usr/share/tarvo/examples/python --frames 30 --no-msaa --screenshot shot.png"
shot=$root/home/player/elsewhere/shot.png
[ -s "$shot" ] || { echo "no screenshot where the runner was started"; cat "$root/tmp/run.log"; exit 1; }
python3 tests/Package/frame_not_flat.py "$shot"
no_errors "tarvo examples/python"
echo "the Python example ran: $(($(date +%s) - started)) s"

# A C++ game: the standalone example copied out and built against the installed engine,
# run in a folder whose font is the engine's.
as_player "cp -r /tmp/standalone mygame && cmake -S mygame -B mygame/build &&
  cmake --build mygame/build && mkdir -p mygame/run/Resources/Fonts && cd mygame/run &&
  ln -s /usr/share/tarvo/Resources/Fonts/Inconsolata.otf Resources/Fonts/Inconsolata.otf &&
  $xvfb ../build/standalone --frames 10 --fixed-dt 0.016 --screenshot frame.png"
python3 tests/Package/standalone_frame.py "$root/home/player/mygame/run/frame.png"
no_errors standalone
echo "the C++ game was built and ran: $(($(date +%s) - started)) s"

# dpkg's own record of the files: none changed, and nothing new beside them.
changed=$(in_root dpkg --verify qvrn tarvo || true)
[ -z "$changed" ] || { echo "installed files changed: $changed"; exit 1; }
extra=$(find "$root/usr/share/games/qvrn" "$root/usr/share/tarvo" -newer "$root/tmp/$(basename "$engine_deb")" \
  -type f)
[ -z "$extra" ] || { echo "a program wrote into its data folder: $extra"; exit 1; }
if [ ! -f "$root/usr/share/applications/qvrn.desktop" ] || [ ! -f "$root/usr/share/man/man6/qvrn.6.gz" ]; then
  echo "desktop entry or man page missing"
  exit 1
fi
echo "package install ok in $(($(date +%s) - started)) s (after building the packages)"
