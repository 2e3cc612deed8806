#!/usr/bin/env bash
# Builds the two Debian packages from the Release build, in one cpack run, and checks
# each:
#   build/package/qvrn_<version>_amd64.deb    the game
#   build/package/tarvo_<version>_amd64.deb   the engine: runner and development files
# Install them with `apt install ./build/package/qvrn_*.deb ./build/package/tarvo_*.deb`.
# tools/test-package-install.sh then installs them on a fresh Debian 12 in a throw-away
# root. The last two lines of output are the packages' paths, the game's first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p build/package
rm -f build/package/qvrn_*.deb build/package/tarvo_*.deb
(cd build/package && cpack -G DEB --config ../release/CPackConfig.cmake >cpack.log 2>&1) ||
  { cat build/package/cpack.log; exit 1; }
game=$(ls build/package/qvrn_*_amd64.deb)
engine=$(ls build/package/tarvo_*_amd64.deb)
bash tests/Package/check_deb.sh "$game" "$PWD"
bash tests/Package/check_tarvo_deb.sh "$engine" "$PWD"
echo "$game"
echo "$engine"
