#!/usr/bin/env bash
# Builds CPython 3.11 for the browser (wasm32-emscripten) from Debian's own python3.11
# source package with Debian's Emscripten, and zlib from Debian's zlib source beside it
# (CPython's zlib module and FreeType both link that one copy). Prints the folder that
# holds the result on its last line of output (everything else goes to standard error):
#   lib/libpython3.11.a, lib/libz.a, include/python3.11, include/zlib.h,
#   lib/python3.11 (the standard library's sources) and build-times.
#
# The build costs a fresh machine on two cores one and a half to four minutes, as busy as
# it is (ten without tools/web-python-config.site, whose answers spare configure most of
# its questions to emcc), so it is done once per machine, in a cache outside any checkout: $TARVO_WEB_CACHE, else $XDG_CACHE_HOME/tarvo-web-deps
# (~/.cache/tarvo-web-deps). A per-user cache rather than /var/cache, because nothing
# in it needs root and the web build may run as a plain user; a clean checkout, or
# another worktree, on the same machine finds it there. Each build lives in a folder
# named after the python3.11 and zlib source versions, Emscripten's version and the hash
# of this script and its configure answers, so changing any of them builds anew beside
# the old one, and a build that did not finish is never mistaken for one that did.
#
# Run as root on Debian 12 (or with sudo for apt), after tools/setup.sh --web.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
step() { echo "web-python: $*" >&2; }
fail() {
  echo "web-python: ERROR: $*" >&2
  exit 1
}
# shellcheck source=tools/web-sources.sh
. "$root/tools/web-sources.sh"

answers="$root/tools/web-python-config.site"
# A CI job may run without HOME: the account's own home folder then.
home="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
cache="${TARVO_WEB_CACHE:-${XDG_CACHE_HOME:-$home/.cache}/tarvo-web-deps}"
# The interpreter that runs CPython's own build tools must be the same 3.11: Debian's,
# never another one found first on the PATH.
build_python=/usr/bin/python3.11

command -v emcc >/dev/null || fail "emcc not found: install Debian's emscripten package (tools/setup.sh --web)"
[ -x "$build_python" ] || fail "$build_python not found: install python3.11 (tools/setup.sh)"
need_source_packages

python_version="$(source_version python3.11)"
zlib_version="$(source_version zlib)"
[ -n "$python_version" ] && [ -n "$zlib_version" ] || fail "apt knows no python3.11 or zlib source package"
emcc_version="$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')"
recipe_hash="$(cat "${BASH_SOURCE[0]}" "$answers" | sha256sum | cut -c1-12)"
key="cpython-$python_version-zlib-$zlib_version-emcc-$emcc_version-$recipe_hash"
key="${key//[^A-Za-z0-9._-]/_}"
prefix="$cache/$key"

if [ -f "$prefix/.complete" ]; then
  step "up to date in $prefix"
  echo "$prefix"
  exit 0
fi
# Checkouts on one machine share the cache: one builds, the others wait for it and take
# its result, rather than building over each other in the same folders.
mkdir -p "$cache"
exec 9>"$cache/.lock-$key"
if ! flock -n 9; then
  step "another build of $key is running; waiting for it"
  flock 9
fi
if [ -f "$prefix/.complete" ]; then
  step "built meanwhile in $prefix"
  echo "$prefix"
  exit 0
fi

work="$cache/work-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/lib" "$prefix/include" "$cache/src"
python_src="$(unpack python3.11 "$cache/src")"
zlib_src="$(unpack zlib "$cache/src")"
export NODE_PATH=/usr/share/nodejs # Emscripten's optimizer runs under node and needs its modules
seconds() { date +%s; }

# zlib: compiled file by file, as its own makefile would, with the two answers its
# configure would find (which would otherwise probe the host's compiler).
step "building zlib $zlib_version"
zlib_objects=()
for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil; do
  emcc -O2 -DNDEBUG -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$zlib_src/$file.c" -o "$work/zlib-$file.o" || fail "compiling zlib's $file.c failed"
  zlib_objects+=("$work/zlib-$file.o")
done
emar rcs "$prefix/lib/libz.a" "${zlib_objects[@]}"
cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"

# The configure answers: CPython's own for this platform, then ours for the checks whose
# answers Emscripten's C library fixes (tools/web-python-config.site), which hold only for
# the Emscripten that gave them; another one is asked every question.
cp "$python_src/Tools/wasm/config.site-wasm32-emscripten" "$work/config.site"
if [ "$emcc_version" = 3.1.6 ]; then
  cat "$answers" >>"$work/config.site"
else
  step "Emscripten $emcc_version, not 3.1.6: configure checks everything itself (slower)"
fi

step "configuring CPython $python_version for wasm32-emscripten (log: $work/configure.log)"
build_dir="$work/python"
mkdir -p "$build_dir"
started=$(seconds)
# Modules whose libraries the page neither has nor needs are switched off by name, and so
# are those a game in a page has no use for whose size every player would download:
# Unicode's database, the East Asian codecs, decimal, XML, sockets (a page has none),
# sound samples, time zones, memory maps and asyncio's accelerator (2.5 MB of the
# page's 8 MB of WebAssembly). zlib is ours; the test modules and pip stay out.
(cd "$build_dir" && CONFIG_SITE="$work/config.site" emconfigure "$python_src/configure" \
  --cache-file="$build_dir/config.cache" \
  --host=wasm32-unknown-emscripten --build="$("$python_src/config.guess")" \
  --with-emscripten-target=browser --with-build-python="$build_python" \
  --disable-wasm-dynamic-linking --disable-wasm-pthreads --disable-test-modules --without-ensurepip \
  ZLIB_CFLAGS="-I$prefix/include" ZLIB_LIBS="-L$prefix/lib -lz" \
  py_cv_module__bz2=n/a py_cv_module__lzma=n/a py_cv_module__sqlite3=n/a \
  py_cv_module__ctypes=n/a py_cv_module__uuid=n/a py_cv_module__ssl=n/a py_cv_module__hashlib=n/a \
  py_cv_module__crypt=n/a \
  py_cv_module_unicodedata=n/a py_cv_module__multibytecodec=n/a py_cv_module__codecs_cn=n/a \
  py_cv_module__codecs_hk=n/a py_cv_module__codecs_iso2022=n/a py_cv_module__codecs_jp=n/a \
  py_cv_module__codecs_kr=n/a py_cv_module__codecs_tw=n/a py_cv_module__decimal=n/a \
  py_cv_module_pyexpat=n/a py_cv_module__elementtree=n/a py_cv_module__socket=n/a py_cv_module_select=n/a \
  py_cv_module_audioop=n/a py_cv_module__zoneinfo=n/a py_cv_module_mmap=n/a py_cv_module__asyncio=n/a \
  >"$work/configure.log" 2>&1) ||
  { tail -n 30 "$work/configure.log" >&2; fail "configuring CPython failed (log: $build_dir/config.log)"; }
configure_seconds=$(($(seconds) - started))
step "configured in $configure_seconds s; building (make -j2, log: $work/make.log)"

started=$(seconds)
# The interpreter as a library, its built-in modules in it, and the sysconfig data the
# standard library reads at start.
(cd "$build_dir" && emmake make -j2 libpython3.11.a pybuilddir.txt >"$work/make.log" 2>&1) ||
  { tail -n 40 "$work/make.log" >&2; fail "building CPython failed (log: $work/make.log)"; }
build_seconds=$(($(seconds) - started))

step "installing into $prefix"
cp "$build_dir/libpython3.11.a" "$prefix/lib/"
mkdir -p "$prefix/include/python3.11"
cp -r "$python_src/Include/." "$prefix/include/python3.11/"
cp "$build_dir/pyconfig.h" "$prefix/include/python3.11/"
cp -r "$python_src/Lib" "$prefix/lib/python3.11"
cp "$build_dir/$(cat "$build_dir/pybuilddir.txt")"/_sysconfigdata_*.py "$prefix/lib/python3.11/"
cp "$build_dir/config.cache" "$prefix/config.cache"
printf 'configure %s s\nmake -j2 %s s\n' "$configure_seconds" "$build_seconds" >"$prefix/build-times"
touch "$prefix/.complete"
rm -rf "$work"
step "done in $prefix (configure $configure_seconds s, make $build_seconds s)"
echo "$prefix"
