#!/usr/bin/env bash
# The build copies the committed files into the run folder, but never over a file that
# was edited there: it says so in one line instead.
set -euo pipefail
copier=$(cd "$(dirname "$0")/../.." && pwd)/cmake/TarvoCopyRunFiles.cmake
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/sub"
copy() { cmake -DSOURCE="$work/src" -DDESTINATION="$work/run" -DSTAMPS="$work/stamps" -P "$copier" 2>&1; }
fail() { echo "$1"; exit 1; }

echo "A = One" >"$work/src/keys.ini"
echo "x" >"$work/src/sub/other.txt"
[ -z "$(copy)" ] || fail "a first copy should be silent"
cmp -s "$work/src/keys.ini" "$work/run/keys.ini" || fail "first copy missing"
[ -f "$work/run/sub/other.txt" ] || fail "sub-folders are not copied"

# Untouched run-folder files follow the committed ones.
echo "A = Two" >"$work/src/keys.ini"
[ -z "$(copy)" ] || fail "an update of an untouched file should be silent"
grep -q Two "$work/run/keys.ini" || fail "untouched file was not updated"

# A player's edit survives every later build, with one line each time.
echo "A = Mine" >"$work/run/keys.ini"
echo "A = Three" >"$work/src/keys.ini"
for _ in 1 2; do
  out=$(copy)
  grep -q Mine "$work/run/keys.ini" || fail "the edit was overwritten"
  [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] || fail "expected one line, got: $out"
  grep -q "Keeping $work/run/keys.ini" <<<"$out" || fail "the line doesn't name the file: $out"
done

# Deleting the edited file brings the committed one back.
rm "$work/run/keys.ini"
copy >/dev/null
grep -q Three "$work/run/keys.ini" || fail "deleted file was not restored"
echo "run folder ok"
