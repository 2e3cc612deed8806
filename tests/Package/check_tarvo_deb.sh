#!/usr/bin/env bash
# Checks the engine's runtime package, what a player installs: the runner with its
# shipping tools and the engine's data folder where Debian keeps them, the libraries the
# runner links and opens declared, nothing of the development files, and no trace of the
# folder it was built in.
#   check_tarvo_deb.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/deb_checks.sh" "$1" "$2"

expect_control tarvo games
# Linked by the runner, then opened while it runs.
expect_depends libglfw3 libftgl2 libbox2d2 libpython3.11 libglu1-mesa libstdc++6 \
  libgl1 libfreeimage3 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libasound2 fonts-inconsolata
if grep -q -- '-dev\b' <<<"$depends"; then
  fail "a player's package depends on development packages: $depends"
fi
expect_files /usr/bin/tarvo \
  /usr/share/tarvo/Resources/Scripts/start.py /usr/share/tarvo/Resources/Scripts/tarvo.py \
  /usr/share/tarvo/Resources/Scripts/__pycache__/start.cpython-311.pyc \
  /usr/share/tarvo/Resources/Scripts/__pycache__/tarvo.cpython-311.pyc \
  /usr/share/tarvo/Resources/Fonts/Inconsolata.otf /usr/share/tarvo/Resources/Images/tarvo-icon.png \
  /usr/share/tarvo/examples/python/main.py /usr/share/tarvo/examples/python/game.ini \
  /usr/share/tarvo/shipping/tarvo_ship.py /usr/share/tarvo/shipping/game_archive.py \
  /usr/share/tarvo/shipping/__pycache__/tarvo_ship.cpython-311.pyc \
  /usr/share/tarvo/shipping/web_page.py /usr/share/tarvo/web/tarvo.html /usr/share/tarvo/web/tarvo.js \
  /usr/share/tarvo/web/tarvo.wasm /usr/share/tarvo/web/tarvo.data /usr/share/tarvo/web/modules.txt
# Only the runtime: no development files, nothing of the game's, nothing outside its folders.
if grep -v '^/usr/\(bin/tarvo\|share/tarvo/\)' <<<"$contents" | grep -v '^/\(usr/\)\?\(bin/\|share/\)\?$' | grep .; then
  fail "holds files outside the runtime's folders"
fi
if grep '/swig/\|\.h$\|\.a$\|cmake\|pkgconfig\|qvrn' <<<"$contents"; then
  fail "holds development or game files"
fi
expect_font_link

expect_unpacked_executable /usr/bin/tarvo
report_ok
