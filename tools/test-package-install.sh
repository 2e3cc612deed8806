#!/usr/bin/env bash
# The slow package check, kept out of tools/test.sh: builds the Debian packages
# (tools/package.sh), makes a fresh Debian 12 in a throw-away root with debootstrap (from
# deb.debian.org) and there, first of all, measures what each package pulls into that
# bare system (packages, download, installed size, printed as "pulls: ..."). Then, as an
# ordinary user in unrelated folders under a virtual X server:
#   - with only the runtime `tarvo` installed: runs the Python example, packs it with
#     `tarvo pack` and plays the .tarvo, packs it with `tarvo pack --deb`, which root
#     installs (it must pull nothing else), and starts it as its desktop entry says,
#     and packs it with `tarvo pack --web` from the page the runtime installed;
#   - with `qvrn`: runs `qvrn --frames 30 --screenshot shot.png`;
#   - with `tarvo-dev` (and cmake, g++ and make, which a game maker brings): copies
#     examples/standalone, builds it with nothing but find_package(Tarvo) and runs it for
#     a few frames with a screenshot.
# Each screenshot must land where it was asked for, and the installed files must stay as
# the packages put them. Needs root and the network; takes several minutes.
#   tools/test-package-install.sh [GAME.deb RUNTIME.deb DEV.deb]   (default: build them)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

bash tools/setup.sh
if [ $# -ge 3 ]; then
  game_deb=$(realpath "$1")
  runtime_deb=$(realpath "$2")
  dev_deb=$(realpath "$3")
else
  built=$(bash tools/package.sh | tail -n 3)
  game_deb=$source_dir/$(sed -n 1p <<<"$built")
  runtime_deb=$source_dir/$(sed -n 2p <<<"$built")
  dev_deb=$source_dir/$(sed -n 3p <<<"$built")
fi

. tools/fresh-debian-root.sh
mkdir -p build/package
make_fresh_root qvrn-root build/package/debootstrap.log

cp "$game_deb" "$runtime_deb" "$dev_deb" "$root/tmp/"
game=/tmp/$(basename "$game_deb") runtime=/tmp/$(basename "$runtime_deb") dev=/tmp/$(basename "$dev_deb")
cp -r "$source_dir/examples/standalone" "$root/tmp/standalone"
in_root apt-get update -qq
install() { in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
# What apt would bring into the bare system for each, asked without installing anything.
pulls() {
  local summary
  summary=$(in_root env DEBIAN_FRONTEND=noninteractive apt-get install --assume-no --no-install-recommends "${@:2}" 2>&1 ||
    true)
  echo "pulls: $1: $(sed -n 's/^[0-9]* upgraded, \([0-9]*\) newly installed.*/\1/p' <<<"$summary") packages," \
    "$(sed -n 's|^Need to get \(.*\) of archives.*|\1|p' <<<"$summary" | sed 's|.*/||') to download," \
    "$(sed -n 's|^After this operation, \(.*\) of additional disk space.*|\1|p' <<<"$summary") installed"
}
pulls tarvo "$runtime"
pulls tarvo-dev "$runtime" "$dev"
pulls qvrn "$game"

install "$runtime" xvfb xauth
echo "installed the runtime: $(($(date +%s) - started)) s"
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
shot_drawn() {
  [ -s "$1" ] || { echo "no screenshot at $1"; cat "$root/tmp/run.log"; exit 1; }
  python3 tests/Package/frame_not_flat.py "$1"
}

# The Python example through the runner, from a folder that has nothing to do with it.
as_player "mkdir -p elsewhere && cd elsewhere &&
  $xvfb tarvo /usr/share/tarvo/examples/python --frames 30 --no-msaa --screenshot shot.png"
shot_drawn "$root/home/player/elsewhere/shot.png"
no_errors "tarvo examples/python"
echo "the Python example ran: $(($(date +%s) - started)) s"

# Shipped as one file, played by another folder's player from it.
as_player "mkdir -p maker friend && cd maker && tarvo pack /usr/share/tarvo/examples/python &&
  cp apple-drop.tarvo ../friend/ && cd ../friend && $xvfb tarvo apple-drop.tarvo --frames 30 --no-msaa --screenshot shot.png"
shot_drawn "$root/home/player/friend/shot.png"
no_errors "tarvo apple-drop.tarvo"
[ -d "$root/home/player/.cache/tarvo/games" ] || { echo "the archive was not unpacked into the player's cache"; exit 1; }
echo "the packed example ran: $(($(date +%s) - started)) s"

# Shipped as a package: it brings nothing but itself, and starts as its menu entry says.
as_player "cd maker && tarvo pack --deb /usr/share/tarvo/examples/python"
game_package=$(ls "$root/home/player/maker/"apple-drop_*_all.deb)
newly=$(in_root apt-get install -s --no-install-recommends "/home/player/maker/$(basename "$game_package")" |
  grep -c '^Inst ')
[ "$newly" -eq 1 ] || { echo "the game's package pulls $newly packages, not itself alone"; exit 1; }
install "/home/player/maker/$(basename "$game_package")"
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/apple-drop.desktop")
as_player "mkdir -p desktop && cd desktop && $xvfb $exec_line --frames 30 --no-msaa --screenshot shot.png"
shot_drawn "$root/home/player/desktop/shot.png"
no_errors "the packaged game"
echo "the packaged example ran from its desktop entry: $(($(date +%s) - started)) s"

# A web page, with no compiler: the runtime's own prebuilt page and the game's files.
as_player "cd maker && tarvo pack --web /usr/share/tarvo/examples/python"
for name in index.html tarvo.js tarvo.wasm tarvo.data game.pack; do
  [ -s "$root/home/player/maker/apple-drop-web/$name" ] || { echo "the packed web page has no $name"; exit 1; }
done
echo "the example packed as a web page"

# The game, from a folder that has nothing to do with it.
install "$game"
as_player "mkdir -p somewhere && cd somewhere && $xvfb qvrn --frames 30 --no-msaa --screenshot shot.png"
shot=$root/home/player/somewhere/shot.png
[ -s "$shot" ] || { echo "no screenshot where the player started the game"; cat "$root/tmp/run.log"; exit 1; }
python3 tests/Program/png_pixel.py "$shot" 4 4 menu
no_errors qvrn
echo "the game ran: $(($(date +%s) - started)) s"

# A C++ game: the standalone example copied out and built against the installed engine,
# run in a folder whose font is the engine's.
install "$dev" cmake g++ make
as_player "cp -r /tmp/standalone mygame && cmake -S mygame -B mygame/build &&
  cmake --build mygame/build && mkdir -p mygame/run/Resources/Fonts && cd mygame/run &&
  ln -s /usr/share/tarvo/Resources/Fonts/Inconsolata.otf Resources/Fonts/Inconsolata.otf &&
  $xvfb ../build/standalone --frames 10 --fixed-dt 0.016 --screenshot frame.png"
python3 tests/Package/standalone_frame.py "$root/home/player/mygame/run/frame.png"
no_errors standalone
echo "the C++ game was built and ran: $(($(date +%s) - started)) s"

# dpkg's own record of the files: none changed, and nothing new beside them.
changed=$(in_root dpkg --verify qvrn tarvo tarvo-dev apple-drop || true)
[ -z "$changed" ] || { echo "installed files changed: $changed"; exit 1; }
extra=$(find "$root/usr/share/games/qvrn" "$root/usr/share/tarvo" -newer "$root$runtime" -type f
  find "$root/usr/share/games/apple-drop" -newer "$game_package" -type f)
[ -z "$extra" ] || { echo "a program wrote into its data folder: $extra"; exit 1; }
if [ ! -f "$root/usr/share/applications/qvrn.desktop" ] || [ ! -f "$root/usr/share/man/man6/qvrn.6.gz" ]; then
  echo "desktop entry or man page missing"
  exit 1
fi
echo "package install ok in $(($(date +%s) - started)) s (after building the packages)"
