#!/usr/bin/env bash
# Builds the libraries the WebAssembly build links (Box2D, FreeType) from Debian's own
# sources with emscripten, as static libraries under build/web-deps/prefix. Emscripten's
# ports can't be fetched here, so Debian's source packages are the only way in.
# Quick when already done: a stamp holding this script's hash skips everything until
# the script changes. Run as root on Debian 12, after tools/setup.sh and with the
# emscripten package installed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/web-deps"
src="$out/src"
work="$out/build"
prefix="$out/prefix"
stamp="$prefix/.web-deps-stamp"
script_hash="$(sha256sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)"
sources_file=/etc/apt/sources.list.d/tarvo-web-sources.sources

step() { echo "web-deps: $*"; }
fail() {
  echo "web-deps: ERROR: $*" >&2
  exit 1
}

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$script_hash" ] &&
  [ -f "$prefix/lib/libbox2d.a" ] && [ -f "$prefix/lib/libfreetype.a" ]; then
  step "up to date in $prefix"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

command -v emcmake >/dev/null || fail "emcmake not found: install Debian's emscripten package"
if ! command -v dpkg-source >/dev/null; then
  step "installing dpkg-dev"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends dpkg-dev
fi

# apt lists a Sources index only for suites some deb-src entry names.
has_bookworm_sources() {
  apt-get indextargets --format '$(CREATED_BY) $(RELEASE) $(COMPONENT)' 2>/dev/null |
    grep -qx 'Sources bookworm main'
}
if ! has_bookworm_sources; then
  step "adding a deb-src entry for bookworm main ($sources_file)"
  $SUDO tee "$sources_file" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  step "apt-get update"
  $SUDO apt-get update -qq
elif ! apt-cache showsrc box2d 2>/dev/null | grep -q '^Package:'; then
  # The entry is there but its index was never downloaded.
  step "apt-get update (source index missing)"
  $SUDO apt-get update -qq
fi

mkdir -p "$src" "$work" "$prefix"

# Prints the one unpacked source folder of a package, fetching and unpacking it if needed.
unpack() {
  local package="$1" dsc dir
  dsc="$(find "$src" -maxdepth 1 -name "${package}_*.dsc" | sort | tail -n1)"
  if [ -z "$dsc" ]; then
    step "downloading the $package source package" >&2
    (cd "$src" && apt-get -o APT::Sandbox::User=root source --download-only -qq "$package" >&2)
    dsc="$(find "$src" -maxdepth 1 -name "${package}_*.dsc" | sort | tail -n1)"
    [ -n "$dsc" ] || fail "apt-get source $package gave no .dsc"
  fi
  dir="$src/$package"
  if [ ! -d "$dir" ]; then
    step "unpacking $(basename "$dsc")" >&2
    # apt has checked the files against the signed archive index; the maintainer's own
    # signature would need the Debian keyring, which nothing else here uses.
    dpkg-source --no-check -x "$dsc" "$dir.tmp" >/dev/null
    mv "$dir.tmp" "$dir"
  fi
  echo "$dir"
}

box2d_src="$(unpack box2d)"
freetype_src="$(unpack freetype)"

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

# No compressed, PNG-coloured or shaped fonts are used: FreeType then needs nothing else.
build freetype "$freetype_src" \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

for lib in libbox2d.a libfreetype.a; do
  [ -f "$prefix/lib/$lib" ] || fail "$lib was not installed into $prefix/lib"
done
echo "$script_hash" >"$stamp"
step "done: $(du -h "$prefix/lib/libbox2d.a" | cut -f1) libbox2d.a, $(du -h "$prefix/lib/libfreetype.a" | cut -f1) libfreetype.a in $prefix"
