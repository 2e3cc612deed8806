#!/usr/bin/env bash
# The engine as another game gets it: its runtime and development files installed into a
# temporary prefix, then
# examples/standalone configured and built against it with nothing but
# find_package(Tarvo), run for a few frames with a screenshot, and once more until Escape.
#   standalone.sh BUILD_DIR SOURCE_DIR CXX "COMPILE_FLAGS" "LINK_FLAGS"
# The flags repeat the engine build's sanitizer options, which a static library can't
# carry to its consumers.
set -euo pipefail
build=$1 source=$2 cxx=$3 compile_flags=$4 link_flags=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for component in runtime dev; do
  cmake --install "$build" --component $component --prefix "$work/prefix" >>"$work/install.log"
done
# Nothing private goes out: no back-end headers, no test helpers, no sources.
if find "$work/prefix" \( -path '*/backend/*' -o -name '*.cpp' -o -path '*TestUtilities*' \) | grep .; then
  echo "private files installed"
  exit 1
fi

# The engine's data folder, shaped like a run folder: the console script and the shadow
# module with bytecode compiled for where they are installed, and Debian's font linked.
data=$work/prefix/share/tarvo/Resources
for file in Scripts/start.py Scripts/tarvo.py Scripts/__pycache__/start.cpython-311.pyc \
  Scripts/__pycache__/tarvo.cpython-311.pyc; do
  [ -f "$data/$file" ] || { echo "not installed: share/tarvo/Resources/$file"; exit 1; }
done
[ "$(readlink "$data/Fonts/Inconsolata.otf")" = /usr/share/fonts/truetype/inconsolata/Inconsolata.otf ] ||
  { echo "the engine's font is not a link to Debian's"; exit 1; }
if grep -rl "$build" "$data/Scripts"; then
  echo "build path inside the installed scripts"
  exit 1
fi

# The installed interface files are whole: SWIG makes the module from them alone (the
# docstrings the build collected included).
swig -c++ -python -outdir "$work" -o "$work/tarvo_wrap.cxx" "$work/prefix/share/tarvo/swig/tarvo.i" ||
  { echo "SWIG fails on the installed interface files"; exit 1; }
# The two references and the pages of docs/ they link to: every local link of the C++
# reference's main page and of the Python reference's pages leads to an installed file.
python3 - "$work/prefix/share/doc/tarvo-dev" <<'PY'
import glob, os, re, sys
docs = sys.argv[1]
pages = [os.path.join(docs, "api", "cpp", "index.html")] + glob.glob(os.path.join(docs, "api", "python", "*.html"))
if len(pages) < 3:
    sys.exit("the references are not installed in " + docs)
for page in pages:
    if not os.path.exists(page):
        sys.exit("not installed: " + page)
    with open(page, encoding="utf-8") as f:
        for link in re.findall(r'href="(?![a-z]+:)([^"#?]+)', f.read()):
            if not os.path.exists(os.path.join(os.path.dirname(page), link)):
                sys.exit("%s links to %s, which is not installed" % (page, link))
PY

cmake -S "$source/examples/standalone" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$compile_flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$link_flags" >"$work/configure.log" ||
  { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
# The engine opens the image library when it first needs it; the game names none of it.
if readelf -d "$work/build/standalone" | grep -q 'NEEDED.*libfreeimage'; then
  echo "standalone links the image library"
  exit 1
fi

# pkg-config finds the same, wherever the prefix is.
cflags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --cflags tarvo)
libs=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --libs tarvo)
include=$(grep -o -- '-I[^ ]*include/tarvo' <<<"$cflags") || { echo "tarvo.pc: no include path in $cflags"; exit 1; }
[ -f "${include#-I}/Infrastructure/World.h" ] || { echo "tarvo.pc: $include holds no headers"; exit 1; }
grep -q -- '-ltarvo' <<<"$libs" || { echo "tarvo.pc: unexpected libraries $libs"; exit 1; }
# The engine opens the image library at run time; a game links none of it.
if grep -q -- '-lfreeimage' <<<"$libs"; then echo "tarvo.pc: links the image library: $libs"; exit 1; fi

# Every installed header compiles from the prefix with only what Tarvo::tarvo gives.
mkdir -p "$work/headers"
(cd "$work/prefix/include/tarvo" && find . -name '*.h' | sort | sed 's|^\./\(.*\)|#include "\1"|') \
  >"$work/headers/all.cpp"
cat >"$work/headers/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.22)
project(Headers LANGUAGES CXX)
find_package(Tarvo CONFIG REQUIRED)
add_library(headers OBJECT all.cpp)
target_link_libraries(headers PRIVATE Tarvo::tarvo)
CMAKE
cmake -S "$work/headers" -B "$work/headers/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" >"$work/configure.log" || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/headers/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

# Its own run folder: just the font.
mkdir -p "$work/run/Resources/Fonts"
ln -s /usr/share/fonts/truetype/inconsolata/Inconsolata.otf "$work/run/Resources/Fonts/Inconsolata.otf"
cd "$work/run"
timeout 60 "$work/build/standalone" --frames 10 --fixed-dt 0.016 --screenshot frame.png 2>"$work/run.log" ||
  { echo "standalone failed"; cat "$work/run.log"; exit 1; }
python3 "$source/tests/Package/standalone_frame.py" frame.png

"$work/build/standalone" --no-msaa 2>"$work/escape.log" &
game=$!
window=$(timeout 30 xdotool search --sync --name '^Standalone$' | head -n 1) ||
  { kill $game; echo "the window never appeared"; exit 1; }
# Sent to the window itself, not to whatever has the focus, and repeated until the
# program has gone: a loaded machine may not have it reading keys yet.
for _ in $(seq 100); do
  kill -0 $game 2>/dev/null || break
  timeout 10 xdotool key --window "$window" Escape >/dev/null 2>&1 || true
  sleep 0.2
done
# A window that closes between a key's press and its release leaves the key held in the X
# server, which then repeats it into whatever opens next: let it go.
timeout 10 xdotool keyup Escape >/dev/null 2>&1 || true
if kill -0 $game 2>/dev/null; then
  kill -9 $game
  echo "Escape did not quit"
  exit 1
fi
wait $game || { echo "standalone ended badly after Escape"; cat "$work/escape.log"; exit 1; }
echo "standalone ok"
