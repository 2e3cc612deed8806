#!/usr/bin/env bash
# Checks the engine's Debian package: the runner, the development files and the engine's
# data folder where Debian keeps them, the libraries a game maker's find_package(Tarvo)
# looks up again declared with those the runner links and opens, and no trace of the
# folder it was built in.
#   check_tarvo_deb.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/deb_checks.sh" "$1" "$2"

expect_control tarvo devel
# Linked by the runner, opened while it runs, then what the CMake package and tarvo.pc need.
expect_depends libglfw3 libftgl2 libbox2d2 libpython3.11 libglu1-mesa libstdc++6 \
  libgl1 libfreeimage3 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libasound2 fonts-inconsolata \
  libglfw3-dev libbox2d-dev libftgl-dev libpython3-dev libgl-dev libglu1-mesa-dev pkgconf
expect_files /usr/bin/tarvo /usr/lib/libtarvo.a /usr/include/tarvo/Infrastructure/World.h \
  /usr/include/tarvo/Actors/Actor.h /usr/lib/cmake/Tarvo/TarvoConfig.cmake \
  /usr/lib/cmake/Tarvo/TarvoConfigVersion.cmake /usr/lib/cmake/Tarvo/TarvoTargets.cmake \
  /usr/lib/pkgconfig/tarvo.pc /usr/share/tarvo/swig/tarvo.i /usr/share/tarvo/swig/ModuleNames.txt \
  /usr/share/tarvo/Resources/Scripts/start.py /usr/share/tarvo/Resources/Scripts/tarvo.py \
  /usr/share/tarvo/Resources/Scripts/__pycache__/start.cpython-311.pyc \
  /usr/share/tarvo/Resources/Scripts/__pycache__/tarvo.cpython-311.pyc \
  /usr/share/tarvo/Resources/Fonts/Inconsolata.otf /usr/share/tarvo/examples/python/main.py \
  /usr/share/tarvo/swig/tarvo_docstrings.i
# The two references, beside the pages of docs/ they link to.
expect_files /usr/share/doc/tarvo/api/python/index.html /usr/share/doc/tarvo/api/python/PhysicsActor.html \
  /usr/share/doc/tarvo/api/cpp/index.html /usr/share/doc/tarvo/api/cpp/classWorld.html \
  /usr/share/doc/tarvo/house.md /usr/share/doc/tarvo/python-games.md
# Only the engine: nothing of the game's, no private headers, nothing outside its folders.
if grep -v '^/usr/\(bin/tarvo\|include/tarvo/\|lib/libtarvo\.a\|lib/cmake/Tarvo/\|lib/pkgconfig/tarvo\.pc\|share/tarvo/\|share/doc/tarvo/\)' \
  <<<"$contents" | grep -v '^/\(usr/\)\?\(bin/\|include/\|lib/\|lib/cmake/\|lib/pkgconfig/\|share/\|share/doc/\)\?$' | grep .; then
  fail "holds files outside the engine's folders"
fi
if grep '/backend/\|\.cpp$\|TestUtilities\|qvrn' <<<"$contents"; then
  fail "holds private or game files"
fi
expect_font_link

expect_unpacked_executable /usr/bin/tarvo
report_ok
