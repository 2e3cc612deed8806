#!/usr/bin/env bash
# Checks the game's Debian package: its files where Debian keeps them, its dependencies
# declared, and no trace of the folder it was built in.
#   check_deb.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/deb_checks.sh" "$1" "$2"

expect_control qvrn games
expect_depends libglfw3 libftgl2 libfreeimage3 libbox2d2 libpython3.11 libsdl2-2.0-0 libsdl2-mixer-2.0-0 \
  libgl1 libglu1-mesa libasound2 libstdc++6 fonts-inconsolata
expect_files /usr/games/qvrn /usr/share/games/qvrn/Config/input_bindings.ini \
  /usr/share/games/qvrn/Resources/Images/player.png /usr/share/games/qvrn/Resources/Sounds/lie.wav \
  /usr/share/games/qvrn/Resources/Scripts/start.py /usr/share/games/qvrn/Resources/Scripts/tarvo.py \
  /usr/share/games/qvrn/Resources/Fonts/Inconsolata.otf /usr/share/applications/qvrn.desktop \
  /usr/share/icons/hicolor/128x128/apps/qvrn.png /usr/share/man/man6/qvrn.6.gz
# Only the game: no engine files, and nothing outside /usr.
if grep -v '^/usr/\(games\|share\)/' <<<"$contents" | grep -v '^/\(usr/\)\?$' | grep .; then
  fail "holds files outside /usr/games and /usr/share"
fi
expect_font_link

expect_unpacked_executable /usr/games/qvrn
desktop-file-validate "$work/root/usr/share/applications/qvrn.desktop" || fail "the desktop entry is not valid"
report_ok
