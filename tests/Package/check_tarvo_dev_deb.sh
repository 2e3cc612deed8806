#!/usr/bin/env bash
# Checks the engine's development package: the static library, headers, CMake package,
# pkg-config file, SWIG interface files and the references where Debian keeps them; the
# runtime of the same version and the -dev libraries a game maker's find_package(Tarvo)
# looks up again declared; no private headers and no trace of the folder it was built in.
#   check_tarvo_dev_deb.sh PACKAGE.deb SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/deb_checks.sh" "$1" "$2"

expect_control tarvo-dev libdevel
expect_depends tarvo libglfw3-dev libbox2d-dev libftgl-dev libpython3-dev libgl-dev libglu1-mesa-dev pkgconf
grep -q "tarvo (= $(sed -n 's/^ Version: //p' <<<"$info"))" <<<"$depends" || fail "does not depend on its own runtime version"
expect_files /usr/lib/libtarvo.a /usr/include/tarvo/Infrastructure/World.h \
  /usr/include/tarvo/Actors/Actor.h /usr/lib/cmake/Tarvo/TarvoConfig.cmake \
  /usr/lib/cmake/Tarvo/TarvoConfigVersion.cmake /usr/lib/cmake/Tarvo/TarvoTargets.cmake \
  /usr/lib/pkgconfig/tarvo.pc /usr/share/tarvo/swig/tarvo.i /usr/share/tarvo/swig/ModuleNames.txt \
  /usr/share/tarvo/swig/tarvo_docstrings.i
# The two references, beside the pages of docs/ they link to.
expect_files /usr/share/doc/tarvo-dev/api/python/index.html /usr/share/doc/tarvo-dev/api/python/PhysicsActor.html \
  /usr/share/doc/tarvo-dev/api/cpp/index.html /usr/share/doc/tarvo-dev/api/cpp/classWorld.html \
  /usr/share/doc/tarvo-dev/house.md /usr/share/doc/tarvo-dev/python-games.md
# Only the development files: not the runtime's, nothing of the game's, no private headers.
if grep -v '^/usr/\(include/tarvo/\|lib/libtarvo\.a\|lib/cmake/Tarvo/\|lib/pkgconfig/tarvo\.pc\|share/tarvo/swig/\|share/doc/tarvo-dev/\)' \
  <<<"$contents" | grep -v '^/\(usr/\)\?\(include/\|lib/\|lib/cmake/\|lib/pkgconfig/\|share/\|share/tarvo/\|share/doc/\)\?$' | grep .; then
  fail "holds files outside the development folders"
fi
if grep '/backend/\|\.cpp$\|TestUtilities\|qvrn\|bin/tarvo\|Resources/' <<<"$contents"; then
  fail "holds private, runtime or game files"
fi
dpkg-deb --extract "$deb" "$work/root"
build_paths=$(grep -rlF "$source" "$work/root" || true)
[ -z "$build_paths" ] || fail "names the build folder $source in: $build_paths"
report_ok
