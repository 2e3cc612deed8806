#!/usr/bin/env bash
# The runner as a player gets it: the engine's runtime alone installed into a temporary
# prefix, and `tarvo PREFIX/share/tarvo/examples/python` started from an unrelated folder.
# It finds the engine's data beside its own executable, writes the screenshot asked for
# with a relative path where it was started, and leaves the installed files alone; so do
# the installed shipping tools, packing the installed example and playing the archive.
#   installed_runner.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --component runtime --prefix "$work/usr" >"$work/install.log"
[ -x "$work/usr/bin/tarvo" ] || { echo "the runner is not installed"; exit 1; }
[ -f "$work/usr/share/tarvo/examples/python/main.py" ] || { echo "the Python example is not installed"; exit 1; }
(cd "$work/usr" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/sums-before"

mkdir -p "$work/somewhere"
cd "$work/somewhere"
PYTHONDONTWRITEBYTECODE='' timeout 120 "$work/usr/bin/tarvo" "$work/usr/share/tarvo/examples/python" \
  --frames 10 --fixed-dt 0.016 --no-msaa --screenshot shot.png 2>"$work/run.log" ||
  { echo "the installed runner failed"; cat "$work/run.log"; exit 1; }
[ -s shot.png ] || { echo "no screenshot in the folder the runner was started in"; cat "$work/run.log"; exit 1; }
python3 "$source/tests/Package/frame_not_flat.py" shot.png
if grep -q "ERROR" "$work/run.log"; then
  cat "$work/run.log"
  exit 1
fi

if [ -e "$work/usr/include" ] || [ -e "$work/usr/lib" ]; then
  echo "the runtime installs development files"
  exit 1
fi

"$work/usr/bin/tarvo" pack "$work/usr/share/tarvo/examples/python" >"$work/pack.log" 2>&1 ||
  { echo "the installed runner could not pack the example"; cat "$work/pack.log"; exit 1; }
XDG_CACHE_HOME="$work/cache" timeout 120 "$work/usr/bin/tarvo" apple-drop.tarvo --frames 5 --fixed-dt 0.016 --no-msaa \
  2>"$work/run.log" || { echo "the installed runner failed on the packed example"; cat "$work/run.log"; exit 1; }

(cd "$work/usr" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/sums-after"
diff "$work/sums-before" "$work/sums-after" || { echo "the runner changed the installed files"; exit 1; }
echo "installed runner ok"
