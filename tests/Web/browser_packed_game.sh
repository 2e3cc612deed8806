#!/usr/bin/env bash
# `tarvo pack --web` as a maker runs it, with the desktop runner and the runner's prebuilt
# page: the Python example packs into a folder of the page's files and game.pack, which
# plays in headless Chromium the very frame the desktop draws (browser_python_game.sh);
# a game importing a module the page lacks, from a module of its own and inside a
# function, is refused in one line with nothing written, while one that only tries such
# an import, ready to do without, or keeps a tool of the maker's beside main.py, packs; a page whose
# game.pack is missing says so in its status line instead of staying blank.
#   browser_packed_game.sh DESKTOP_RUNNER RUNNER_PAGE_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tarvo=$(realpath "$1")
export TARVO_WEB_RUNNER_PAGE
TARVO_WEB_RUNNER_PAGE=$(cd "$2" && pwd)
out=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill $server 2>/dev/null; rm -rf "$out"' EXIT
fail() {
  echo "packed web game: $*"
  cat "$out/log" 2>/dev/null
  exit 1
}
export PYTHONDONTWRITEBYTECODE=1
mkdir -p "$out/play"

(cd "$out/play" && "$tarvo" pack --web "$here/../../examples/python") >"$out/log" 2>&1 || fail "pack: exit status $?"
grep -qx "./apple-drop-web" "$out/log" || fail "pack --web does not print the page's folder"
page=$out/play/apple-drop-web
for name in index.html tarvo.js tarvo.wasm tarvo.data game.pack; do
  [ -s "$page/$name" ] || fail "the packed page has no $name"
done
grep -q "<title>Apple Drop</title>" "$page/index.html" || fail "the page does not carry the game's title"
# Packing again replaces the page it wrote.
(cd "$out/play" && "$tarvo" pack --web "$here/../../examples/python") >"$out/log" 2>&1 || fail "packing again"
[ "$(ls -A "$out/play")" = "apple-drop-web" ] || fail "packing again left $(ls -A "$out/play")"

# Imports the page can't satisfy: refused at pack time, one line, status 2.
mkdir -p "$out/needs/shapes" "$out/guarded"
printf 'import json\nfrom shapes import box\nimport helper\n' >"$out/needs/main.py"
printf 'from . import edges\n' >"$out/needs/shapes/box.py"
printf 'import tarvo\ndef f():\n    import xml.dom\n' >"$out/needs/shapes/edges.py"
echo "import math" >"$out/needs/helper.py"
status=0
(cd "$out/play" && "$tarvo" pack --web ../needs) >"$out/log" 2>&1 || status=$?
[ $status -eq 2 ] || fail "a game importing xml: exit status $status, not 2"
[ "$(grep -c . "$out/log")" -eq 1 ] || fail "a game importing xml: not one line"
grep -qF "tarvo: ../needs/shapes/edges.py:3 imports xml, which the web page's Python lacks" "$out/log" ||
  fail "a game importing xml: the line does not name file, line and module"
[ "$(ls -A "$out/play")" = "apple-drop-web" ] || fail "a refused pack wrote $(ls -A "$out/play")"
printf 'try:\n    import numpy\nexcept ImportError:\n    numpy = None\n' >"$out/guarded/main.py"
echo "import struct" >"$out/guarded/make_assets.py"
(cd "$out/play" && "$tarvo" pack --web ../guarded) >"$out/log" 2>&1 || fail "a guarded import was refused"

bash "$here/browser_python_game.sh" "$page" "$tarvo" || exit 1

# Without its game, the page says why it shows nothing.
rm "$page/game.pack"
/usr/bin/python3 "$here/../../tools/serve-page.py" "$page" >"$out/address" 2>"$out/server.log" &
server=$!
for _ in $(seq 50); do [ -s "$out/address" ] && break; sleep 0.1; done
address=$(head -1 "$out/address")
/usr/bin/python3 "$here/page_shot.py" --until "could not be loaded" --timeout 120 "${address}index.html" \
  "$out/empty.png" "$out/empty.log" >"$out/log" 2>&1 || fail "a page without game.pack does not say so"
grep -q "ERROR: the game could not be loaded: game.pack: 404" "$out/empty.log" || fail "$(cat "$out/empty.log")"
echo "packed web game ok"
