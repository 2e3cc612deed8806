#!/usr/bin/env bash
# Builds the three Debian packages from the Release build, in one cpack run, and checks
# each:
#   build/package/qvrn_<version>_amd64.deb       the game
#   build/package/tarvo_<version>_amd64.deb      the engine's runtime: the runner, its
#                                                shipping tools, the engine's data and
#                                                the runner's web page (pack --web)
#   build/package/tarvo-dev_<version>_amd64.deb  the development files and references
# Install them with `apt install ./build/package/qvrn_*.deb` (and so on).
# tools/test-package-install.sh then installs them on a fresh Debian 12 in a throw-away
# root. The last three lines of output are the packages' paths: game, runtime, dev.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
# The runner's web page ships in the runtime package, so a maker packs for the web
# without Emscripten: built first (build/web/runner-page), then named to the install.
bash tools/web-build.sh
cmake --preset release -DTARVO_WEB_RUNNER_PAGE="$PWD/build/web/runner-page" >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p build/package
rm -f build/package/qvrn_*.deb build/package/tarvo_*.deb build/package/tarvo-dev_*.deb
(cd build/package && cpack -G DEB --config ../release/CPackConfig.cmake >cpack.log 2>&1) ||
  { cat build/package/cpack.log; exit 1; }
game=$(ls build/package/qvrn_*_amd64.deb)
runtime=$(ls build/package/tarvo_*_amd64.deb)
dev=$(ls build/package/tarvo-dev_*_amd64.deb)
bash tests/Package/check_deb.sh "$game" "$PWD"
bash tests/Package/check_tarvo_deb.sh "$runtime" "$PWD"
bash tests/Package/check_tarvo_dev_deb.sh "$dev" "$PWD"
echo "$game"
echo "$runtime"
echo "$dev"
