#!/usr/bin/env bash
# Archives a player must not play, each refused in one line with status 2 before any
# window opens, with nothing written outside the player's own folders and no half-unpacked
# game left in the cache: not a zip (text, empty), damaged data, no main.py, a broken
# manifest, names that climb out, are absolute or hold a backslash, a symbolic link, a
# name given twice, an encrypted member, a member too big, too many members, members
# that together are too big, members sharing one compressed stream (a zip bomb), and a
# file that is not there.
# $1: the runner; $2: the source tree.
set -uo pipefail
tarvo=$1
out=$(mktemp -d)
evil=/tmp/tarvo-escaped-$$
trap 'rm -rf "$out" "$evil"' EXIT
fail() {
  echo "FAIL: $1"
  cat "$out/log" 2>/dev/null
  exit 1
}
mkdir -p "$out/bad" "$out/home" "$out/play"
python3 - "$out/bad" "$evil" <<'PY' || fail "could not make the archives"
import copy, os, stat, sys, warnings, zipfile
warnings.simplefilter("ignore")  # the name given twice is meant
bad, evil = sys.argv[1], sys.argv[2]
GAME = "from tarvo import *\n"


def archive(name, members, hook=None):
    with zipfile.ZipFile(os.path.join(bad, name), "w", zipfile.ZIP_DEFLATED) as z:
        for member, data in members:
            z.writestr(member, data)
        if hook:
            hook(z)


def zeros(z, name, mebibytes):
    with z.open(zipfile.ZipInfo(name), "w", force_zip64=True) as f:
        block = bytes(1 << 20)
        for _ in range(mebibytes):
            f.write(block)


def named_again(z, name, copies):
    """Central directory entries that all point at the data of `name`."""
    original = z.getinfo(name)
    for i in range(copies):
        entry = copy.copy(original)
        entry.filename = entry.orig_filename = "copy%d.bin" % i
        z.filelist.append(entry)


with open(os.path.join(bad, "text.tarvo"), "w") as f:
    f.write("just some words\n")
open(os.path.join(bad, "empty.tarvo"), "w").close()
archive("nomain.tarvo", [("game.py", GAME)])
archive("manifest.tarvo", [("tarvo-manifest.json", "{not json"), ("main.py", GAME)])
archive("climb.tarvo", [("main.py", GAME), ("../../escaped.py", "x")])
archive("deepclimb.tarvo", [("main.py", GAME), ("lib/../../escaped.py", "x")])
archive("absolute.tarvo", [("main.py", GAME), (evil + "/x.py", "x")])
archive("backslash.tarvo", [("main.py", GAME), ("..\\escaped.py", "x")])
link = zipfile.ZipInfo("Resources")
link.create_system = 3
link.external_attr = (stat.S_IFLNK | 0o777) << 16
archive("symlink.tarvo", [("main.py", GAME), (link, "/etc")])
archive("twice.tarvo", [("main.py", GAME), ("main.py", "import os\n")])
# zipfile writes no encrypted member: set the flag in both headers by hand.
archive("encrypted.tarvo", [("main.py", GAME)])
with open(os.path.join(bad, "encrypted.tarvo"), "r+b") as f:
    data = bytearray(f.read())
    for signature, flags in ((b"PK\x03\x04", 6), (b"PK\x01\x02", 8)):
        data[data.index(signature) + flags] |= 0x1
    f.seek(0)
    f.write(data)
archive("huge.tarvo", [("main.py", GAME)], lambda z: zeros(z, "huge.bin", 257))
archive("many.tarvo", [("main.py", GAME)] + [("f%d" % i, "") for i in range(10000)])
archive("bomb.tarvo", [("main.py", GAME)], lambda z: (zeros(z, "a.bin", 100), named_again(z, "a.bin", 5)))
archive("toobig.tarvo", [("main.py", GAME)], lambda z: (zeros(z, "a.bin", 100), named_again(z, "a.bin", 11)))
# Damaged: a byte of the compressed main.py changed, so its check fails when unpacked.
archive("damaged.tarvo", [("main.py", GAME * 50)])
path = os.path.join(bad, "damaged.tarvo")
with open(path, "r+b") as f:
    f.seek(40)
    byte = f.read(1)
    f.seek(40)
    f.write(bytes([byte[0] ^ 0xFF]))
PY
touch "$out/before"

refused() {
  local file=$1 expected=$2
  local status=0
  (cd "$out/play" && HOME="$out/home" XDG_CACHE_HOME= timeout 60 "$tarvo" "$out/bad/$file" --frames 2) \
    >"$out/log" 2>&1 || status=$?
  [ $status -eq 2 ] || fail "$file: exit status $status, not 2"
  [ "$(grep -c . "$out/log")" -eq 1 ] || fail "$file: not one line"
  grep -qF -- "$expected" "$out/log" || fail "$file: expected \"$expected\""
}
refused text.tarvo "text.tarvo is not a game archive (not a zip file)"
refused empty.tarvo "empty.tarvo is not a game archive (not a zip file)"
refused damaged.tarvo "damaged.tarvo is damaged: the member 'main.py'"
refused nomain.tarvo "nomain.tarvo holds no main.py at its top: it is not a game"
refused manifest.tarvo "its tarvo-manifest.json can't be read"
refused climb.tarvo "the member '../../escaped.py' climbs out of the game's folder"
refused deepclimb.tarvo "the member 'lib/../../escaped.py' climbs out of the game's folder"
refused absolute.tarvo "has an absolute path"
refused backslash.tarvo "has a backslash in its path"
refused symlink.tarvo "the member 'Resources' is a symbolic link"
refused twice.tarvo "the member 'main.py' is there twice"
refused encrypted.tarvo "the member 'main.py' is encrypted"
refused huge.tarvo "the member 'huge.bin' unpacks to 257 MB, more than the 256 MB a file of a game may hold"
refused many.tarvo "has 10001 members, more than the 10000 a game may have"
refused bomb.tarvo "share their data (a zip bomb)"
refused toobig.tarvo "unpacks to 1200 MB, more than the 1024 MB a game may hold"
refused missing.tarvo "tarvo: no such file: $out/bad/missing.tarvo"

# Nothing written outside the player's cache, and nothing left in it.
written=$(find "$out" -newer "$out/before" ! -path "$out/home/.cache/*" ! -path "$out/home/.cache" ! -name log \
  ! -path "$out/bad" ! -path "$out/play" ! -path "$out" ! -path "$out/home")
[ -z "$written" ] || fail "written outside the player's cache: $written"
[ ! -e "$evil" ] || fail "an absolute member was written to $evil"
left=$(find "$out/home/.cache/tarvo/games" -mindepth 1 2>/dev/null)
[ -z "$left" ] || fail "left in the cache: $left"
echo "PASS: bad game archives are refused"
