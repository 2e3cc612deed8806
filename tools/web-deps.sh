#!/usr/bin/env bash
# Builds the libraries the WebAssembly build links from Debian's own sources with
# emscripten: CPython and zlib through tools/web-python.sh, into a cache kept between
# checkouts (linked here as build/web-deps/python), then Box2D and FreeType (inflating
# with that zlib) as static libraries under build/web-deps/prefix. Emscripten's ports
# can't be fetched here, so Debian's source packages are the only way in.
# Quick when already done: a stamp holding this script's hash and the CPython build it
# linked skips everything until either changes. Run as root on Debian 12, after
# tools/setup.sh and with the emscripten package installed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/web-deps"
src="$out/src"
work="$out/build"
prefix="$out/prefix"
stamp="$prefix/.web-deps-stamp"

step() { echo "web-deps: $*"; }
fail() {
  echo "web-deps: ERROR: $*" >&2
  exit 1
}
# shellcheck source=tools/web-sources.sh
. "$root/tools/web-sources.sh"

command -v emcmake >/dev/null || fail "emcmake not found: install Debian's emscripten package"
python_prefix="$(bash "$root/tools/web-python.sh" | tail -n1)"
[ -f "$python_prefix/lib/libz.a" ] || fail "tools/web-python.sh gave no CPython build"
mkdir -p "$out"
ln -sfn "$python_prefix" "$out/python"
script_hash="$(cat "${BASH_SOURCE[0]}" "$root/tools/web-sources.sh" | sha256sum | cut -d' ' -f1) $python_prefix"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$script_hash" ] &&
  [ -f "$prefix/lib/libbox2d.a" ] && [ -f "$prefix/lib/libfreetype.a" ]; then
  step "up to date in $prefix"
  exit 0
fi

need_source_packages
mkdir -p "$src" "$work" "$prefix"
box2d_src="$(unpack box2d "$src")"
freetype_src="$(unpack freetype "$src")"

# Everything that follows is linked into one wasm module: static, Release, -O2.
common=(
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG"
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_PREFIX_PATH="$prefix"
  -DBUILD_SHARED_LIBS=OFF
)

build() {
  local name="$1" source_dir="$2"
  shift 2
  rm -rf "${work:?}/$name"
  step "configuring $name"
  emcmake cmake -S "$source_dir" -B "$work/$name" "${common[@]}" "$@" >"$work/$name.log" 2>&1 ||
    { cat "$work/$name.log" >&2; fail "configuring $name failed"; }
  step "building and installing $name"
  emmake make -C "$work/$name" -j2 install >>"$work/$name.log" 2>&1 ||
    { tail -n 40 "$work/$name.log" >&2; fail "building $name failed (log: $work/$name.log)"; }
}

build box2d "$box2d_src" \
  -DBOX2D_BUILD_UNIT_TESTS=OFF -DBOX2D_BUILD_TESTBED=OFF -DBOX2D_BUILD_DOCS=OFF

# No PNG-coloured or shaped fonts are used: FreeType then needs only zlib, and takes the
# one CPython links. Its own copy of inflate (FT_DISABLE_ZLIB) has global names that
# collide with zlib's at the page's link.
build freetype "$freetype_src" \
  -DFT_REQUIRE_ZLIB=ON -DZLIB_INCLUDE_DIR="$python_prefix/include" -DZLIB_LIBRARY="$python_prefix/lib/libz.a" \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

for lib in libbox2d.a libfreetype.a; do
  [ -f "$prefix/lib/$lib" ] || fail "$lib was not installed into $prefix/lib"
done
echo "$script_hash" >"$stamp"
step "done: $(du -h "$prefix/lib/libbox2d.a" | cut -f1) libbox2d.a, $(du -h "$prefix/lib/libfreetype.a" | cut -f1) libfreetype.a in $prefix"
