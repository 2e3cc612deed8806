#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors) and runs the whole suite through
# ctest, under a virtual X server when there is no display; then gives each fuzz target
# a 10-second run from a fixed seed (tools/fuzz.sh), builds and checks the game's and the
# engine's Debian packages (tools/package.sh), and builds the game and the Python example
# for the browser and plays them in headless Chromium (tools/web-build.sh,
# tests/Web/browser_game.sh, tests/Web/browser_python_game.sh).
# Extra arguments go to ctest, e.g. tools/test.sh -R Switchboard
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
bash tools/check-format.sh
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(nproc)"

ctest_command=(ctest --preset sanitize -j "$(nproc)" "$@")
if [ -z "${DISPLAY:-}" ]; then
  # -noreset: by default the server resets whenever its last client leaves, and drops
  # connections that arrive meanwhile; tests open and close windows all the time.
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${ctest_command[@]}"
else
  "${ctest_command[@]}"
fi

# The fuzz smoke run, the package check and the browser game belong to the whole suite,
# not to a run narrowed with ctest options. The package check builds the Release
# configuration and checks both Debian packages (places, dependencies, no build path
# inside); the browser build ships that configuration's art and sounds.
if [ $# -eq 0 ]; then
  bash tools/fuzz.sh
  bash tools/package.sh
  bash tools/web-build.sh
  bash tests/Web/browser_game.sh build/web/page build/release/Game/qvrn
  bash tests/Web/browser_python_game.sh build/web/python-game/apple-drop-web build/release/Runner/tarvo
  bash tests/Web/browser_packed_game.sh build/release/Runner/tarvo build/web/runner-page
fi
