#!/usr/bin/env bash
# Checks the game's Debian package: its files where Debian keeps them, its dependencies
# declared, and no trace of the folder it was built in.
#   check_deb.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
deb=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$deb: $*"; exit 1; }

info=$(dpkg-deb --info "$deb")
listing=$(dpkg-deb --contents "$deb")
contents=$(awk '{ print $6 }' <<<"$listing" | sed 's|^\./|/|')

grep -q '^ Package: qvrn$' <<<"$info" || fail "not named qvrn"
grep -q '^ Architecture: amd64$' <<<"$info" || fail "not for amd64"
grep -q '^ Section: games$' <<<"$info" || fail "not in the games section"
depends=$(grep '^ Depends:' <<<"$info") || fail "no dependencies declared"
for library in libglfw3 libftgl2 libfreeimage3 libbox2d2 libpython3.11 libsdl2-2.0-0 libsdl2-mixer-2.0-0 \
  libgl1 libglu1-mesa libasound2 libstdc++6 fonts-inconsolata; do
  grep -q "\b$library\b" <<<"$depends" || fail "does not depend on $library"
done

for file in /usr/games/qvrn /usr/share/games/qvrn/Config/input_bindings.ini \
  /usr/share/games/qvrn/Resources/Images/player.png /usr/share/games/qvrn/Resources/Sounds/lie.wav \
  /usr/share/games/qvrn/Resources/Scripts/start.py /usr/share/games/qvrn/Resources/Scripts/tarvo.py \
  /usr/share/games/qvrn/Resources/Fonts/Inconsolata.otf /usr/share/applications/qvrn.desktop \
  /usr/share/icons/hicolor/128x128/apps/qvrn.png /usr/share/man/man6/qvrn.6.gz; do
  grep -qx -- "$file" <<<"$contents" || fail "lacks $file"
done
# Only the game: no engine files, and nothing outside /usr.
if grep -v '^/usr/\(games\|share\)/' <<<"$contents" | grep -v '^/\(usr/\)\?$' | grep .; then
  fail "holds files outside /usr/games and /usr/share"
fi
grep -q 'Inconsolata.otf -> /usr/share/fonts/truetype/inconsolata/Inconsolata.otf' \
  <<<"$listing" || fail "the font is not a link to Debian's"

dpkg-deb --extract "$deb" "$work/root"
build_paths=$(grep -rlF "$source" "$work/root" || true)
[ -z "$build_paths" ] || fail "names the build folder $source in: $build_paths"
[ -x "$work/root/usr/games/qvrn" ] || fail "qvrn is not executable"
desktop-file-validate "$work/root/usr/share/applications/qvrn.desktop" || fail "the desktop entry is not valid"
echo "package ok: $(du -k "$deb" | cut -f1) KiB, $(wc -l <<<"$contents") entries"
