#!/usr/bin/env bash
# Builds QVRN for the browser into build/web/page: installs what is missing, builds the
# web libraries from Debian's sources (tools/web-deps.sh), the desktop build's art and
# sounds (the page ships them), and the page itself with Emscripten.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh --web
bash tools/web-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target run_folder
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)"
