#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it.
# Extra arguments go to the game, e.g. tools/play.sh --no-msaa
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
cd build/release/run
exec ../Game/qvrn "$@"
