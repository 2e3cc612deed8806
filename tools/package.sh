#!/usr/bin/env bash
# Builds the game's Debian package from the Release build and checks it:
#   build/package/qvrn_<version>_amd64.deb
# Install it with `apt install ./build/package/qvrn_*.deb`.
# tools/test-package-install.sh then installs it on a fresh Debian 12 in a throw-away root.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p build/package
rm -f build/package/qvrn_*.deb
(cd build/package && cpack -G DEB --config ../release/CPackConfig.cmake >cpack.log) ||
  { cat build/package/cpack.log; exit 1; }
deb=$(ls build/package/qvrn_*_amd64.deb)
bash tests/Package/check_deb.sh "$deb" "$PWD"
echo "$deb"
