#!/usr/bin/env bash
# `tarvo pack --deb`: a game folder becomes a Debian package that depends on the runtime,
# read back with dpkg-deb: its control fields, its files owned by root where Debian keeps
# them (launcher, game files with bytecode compiled for their installed place, a valid
# desktop entry, the folder's icon at its size), the folder's hidden files and the build
# paths left out; a folder without icon.png gets the engine's. The installed game is
# played from the package's files. A name Debian refuses gets one line and status 2.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
. "$(dirname "$0")/lib/scratch.sh"
export PYTHONDONTWRITEBYTECODE=1

mkdir -p "$out/game/.git" "$out/packages"
echo "from tarvo import *" >"$out/game/main.py"
touch "$out/game/.git/HEAD"
printf '[game]\nname = deb-check\ntitle = Deb Check\nversion = 2.1~beta\n' >"$out/game/game.ini"
python3 - "$out/game/icon.png" <<'PY'
import struct, sys, zlib
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
rows = b"".join(b"\x00" + b"\xff\x80\x00" * 64 for _ in range(64))
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 64, 64, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY

"$tarvo" pack --deb --output "$out/packages" "$out/game" >"$out/log" 2>&1 || fail "pack --deb: exit status $?"
deb=$out/packages/deb-check_2.1~beta_all.deb
grep -qxF "$deb" "$out/log" || fail "pack --deb does not print the package's path"
info=$(dpkg-deb --info "$deb")
for field in "Package: deb-check" "Version: 2.1~beta" "Architecture: all" "Section: games" \
  "Depends: tarvo (>= " "Description: Deb Check"; do
  grep -qF " $field" <<<"$info" || fail "no '$field' in the control file"
done
listing=$(dpkg-deb --contents "$deb")
grep -v ' root/root ' <<<"$listing" && fail "files not owned by root"
grep -q '^-rwxr-xr-x .* \./usr/games/deb-check$' <<<"$listing" || fail "no executable launcher in /usr/games"
for file in usr/share/games/deb-check/main.py usr/share/games/deb-check/__pycache__/main.cpython-311.pyc \
  usr/share/applications/deb-check.desktop usr/share/icons/hicolor/64x64/apps/deb-check.png; do
  grep -q " \./$file\$" <<<"$listing" || fail "lacks /$file"
done
grep -q '\.git' <<<"$listing" && fail "holds the folder's hidden files"

dpkg-deb --extract "$deb" "$out/root"
grep -qx 'exec /usr/bin/tarvo /usr/share/games/deb-check "$@"' "$out/root/usr/games/deb-check" ||
  fail "the launcher does not start the installed game"
entry=$out/root/usr/share/applications/deb-check.desktop
desktop-file-validate "$entry" >"$out/log" 2>&1 || fail "the desktop entry is not valid"
grep -qx "Exec=deb-check" "$entry" && grep -qx "Icon=deb-check" "$entry" && grep -qx "Name=Deb Check" "$entry" ||
  fail "the desktop entry does not start the game with its icon and title"
cmp -s "$out/game/icon.png" "$out/root/usr/share/icons/hicolor/64x64/apps/deb-check.png" || fail "not the folder's icon"
grep -rlF "$out/game" "$out/root" && fail "the package names the folder it was packed from"
grep -q /usr/share/games/deb-check "$out/root/usr/share/games/deb-check/__pycache__/main.cpython-311.pyc" ||
  fail "the bytecode does not name the installed script"
timeout 60 "$tarvo" "$out/root/usr/share/games/deb-check" --no-msaa --frames 3 --fixed-dt 0.016 >"$out/log" 2>&1 ||
  fail "the packaged game does not play: exit status $?"

# Without an icon of its own, the engine's, at its size.
rm "$out/game/icon.png"
"$tarvo" pack --deb -o "$out/packages" "$out/game" >"$out/log" 2>&1 || fail "pack --deb without an icon"
dpkg-deb --extract "$deb" "$out/root2"
engine_icon=$(dirname "$tarvo")/../run/Resources/Images/tarvo-icon.png
cmp -s "$engine_icon" "$out/root2/usr/share/icons/hicolor/128x128/apps/deb-check.png" || fail "not the engine's icon"

printf '[game]\nname = x\n' >"$out/game/game.ini"
status=0
"$tarvo" pack --deb -o "$out/packages" "$out/game" >"$out/log" 2>&1 || status=$?
[ $status -eq 2 ] && [ "$(grep -c . "$out/log")" -eq 1 ] && grep -qF "'x' is no Debian package name" "$out/log" ||
  fail "a name Debian refuses: status $status"
echo "PASS: a game packed as a Debian package"
