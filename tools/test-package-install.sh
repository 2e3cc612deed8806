#!/usr/bin/env bash
# The slow package check, kept out of tools/test.sh: builds the game's Debian package
# (tools/package.sh), makes a fresh Debian 12 in a throw-away root with debootstrap
# (from deb.debian.org), installs the package there with apt as a player would, and as
# an ordinary user in an unrelated folder runs `qvrn --frames 30 --screenshot` under a
# virtual X server. The screenshot must land in that folder, and the installed files
# must stay as the package put them. Needs root and the network; takes several minutes.
#   tools/test-package-install.sh [PACKAGE.deb]   (default: build it)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

bash tools/setup.sh
if [ $# -ge 1 ]; then
  deb=$(realpath "$1")
else
  deb=$(bash tools/package.sh | tail -n 1)
  deb=$source_dir/$deb
fi

root=$(mktemp -d /var/tmp/qvrn-root.XXXXXX)
# The new system's / must be open to its users (mktemp makes it private).
chmod 0755 "$root"
cleanup() {
  for mount in "$root/dev" "$root/proc"; do
    if mountpoint -q "$mount"; then umount -R "$mount"; fi
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

started=$(date +%s)
echo "Making a fresh Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$root.log" 2>&1 ||
  { tail -n 20 "$root.log"; rm -f "$root.log"; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
echo "debootstrap: $(($(date +%s) - started)) s"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" xvfb xauth >/dev/null
echo "installed: $(($(date +%s) - started)) s"

in_root useradd --create-home player
# A login shell, so that the PATH is a player's (with /usr/games), in a folder that has
# nothing to do with the game.
in_root su - player -c 'mkdir -p somewhere && cd somewhere &&
  xvfb-run -a -s "-screen 0 1280x1024x24" qvrn --frames 30 --no-msaa --screenshot shot.png' \
  >"$root/tmp/run.log" 2>&1 || { cat "$root/tmp/run.log"; exit 1; }
shot=$root/home/player/somewhere/shot.png
[ -s "$shot" ] || { echo "no screenshot where the player started the game"; cat "$root/tmp/run.log"; exit 1; }
python3 tests/Program/png_pixel.py "$shot" 4 4 menu
if grep -q "ERROR" "$root/tmp/run.log"; then
  cat "$root/tmp/run.log"
  exit 1
fi
# dpkg's own record of the files: none changed, and nothing new beside them.
changed=$(in_root dpkg --verify qvrn || true)
[ -z "$changed" ] || { echo "installed files changed: $changed"; exit 1; }
extra=$(find "$root/usr/share/games/qvrn" -newer "$root/tmp/$(basename "$deb")" -type f)
[ -z "$extra" ] || { echo "the game wrote into its data folder: $extra"; exit 1; }
[ -f "$root/usr/share/applications/qvrn.desktop" ] && [ -f "$root/usr/share/man/man6/qvrn.6.gz" ] ||
  { echo "desktop entry or man page missing"; exit 1; }
echo "package install ok in $(($(date +%s) - started)) s (after building the package)"
